#pragma once
#include "platform/ChildProcess.h"

#include <QString>
#include <vector>

// The files of a batch that did not simply convert, and the report that
// tells the user about them once the batch has ended.

struct ReportedFile {
  enum class Outcome {
    NotStarted,    // the transcoder could not be started: the batch stops there
    NotConverted,  // the transcoder wrote nothing
    Skipped,       // not run: its output would replace an input or output of the batch
    Incomplete,    // converted, but the input holds less audio than it states
  };
  Outcome outcome;
  QString path;    // as queued
  QString reason;  // one line
  QString output{};  // where the transcoder was to write it
};

// Why a run failed: the signal that stopped the transcoder, else its last
// non-empty line of output, or how it ended when it wrote nothing.
QString runFailureReason(const QString& outputs, platform::ExitStatus status);

// Why a file was not run at all: its output would replace a file this batch
// was asked to convert, or one it has written from `earlierInput`.
QString overwritesQueuedInputReason(const QString& output);
QString overwritesEarlierOutputReason(const QString& output, const QString& earlierInput);

// The report: a one-line summary of how many files were converted whole,
// incomplete and not at all (and that the batch stopped, when it did), and
// the files under a heading per outcome, by file name with a short reason
// each; their folder is named once, for all of them where they share one.
struct BatchReport {
  QString summary;
  QString details;
};
inline const QString kBatchReportTitle = QStringLiteral("Convert");
BatchReport batchReport(int convertedWhole, const std::vector<ReportedFile>& files);
