#pragma once
#include "platform/ChildProcess.h"

#include <QString>
#include <vector>

// The files of a batch that were not converted, and how the end of the batch
// tells the user about them.

struct FailedFile {
  QString path;    // as queued
  QString reason;  // one line
};

// Why a run failed: the signal that stopped the transcoder, else its last
// non-empty line of output, or how it ended when it wrote nothing.
QString runFailureReason(const QString& outputs, platform::ExitStatus status);

// Why a file was not run at all: its output would replace a file this batch
// was asked to convert.
QString overwritesQueuedInputReason(const QString& output);

// The warning's caption and text: a first line, then "path: reason" for at
// most 20 files, then how many more there are.
inline const QString kFailedFilesTitle = QStringLiteral("Convert");
QString failedFilesMessage(const std::vector<FailedFile>& failures);
