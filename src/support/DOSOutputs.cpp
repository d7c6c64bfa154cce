#include "support/DOSOutputs.h"

#include "platform/ChildProcess.h"
#include "platform/Modal.h"
#include "platform/ProcessScan.h"
#include "support/clsWaitableTimer.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <memory>

namespace {
constexpr qint64 kChunkBytes = 1024;
constexpr int kPollPauseMs = 50;

void showStop(const QString& text) {
  platform::modal().showMessage(nullptr, text, QString(), platform::MessageIcon::Critical);
}
}  // namespace

DOSOutputs::DOSOutputs(QObject* parent) : QObject(parent) {}

bool DOSOutputs::IsProcessRunning(const QString& name) const {
  return platform::isProcessRunning(name);
}

QString DOSOutputs::ExecuteCommand(const QString& commandLine) {
  if (!commandLine.isEmpty()) mCommandLine = commandLine;
  if (mCommandLine.isEmpty()) {
    showStop(QStringLiteral("Command Line empty"));
    return QString();
  }

  platform::ChildProcess child;
  switch (child.start(mCommandLine)) {
    case platform::ChildProcess::StartResult::PipeFailed:
      showStop(QStringLiteral("CreatePipe failed. Error: ") + QString::number(child.errorCode()));
      return QString();
    case platform::ChildProcess::StartResult::SpawnFailed:
      showStop(QStringLiteral("File or command not found"));
      return QString();
    case platform::ChildProcess::StartResult::Started:
      break;
  }
  mOutputs.clear();

  // A stateful decoder keeps a character split between two reads whole.
  QStringDecoder decode(QStringDecoder::Utf8);
  std::unique_ptr<clsWaitableTimer> pause;
  bool keepGoing = true;
  do {
    if (child.bytesWaiting() != 0) {
      QByteArray bytes;
      keepGoing = child.read(kChunkBytes, bytes);
      const QString chunk = decode(bytes);
      mOutputs += chunk;
      emit ReceiveOutputs(chunk);
    } else if (!IsProcessRunning(watchedName_) && child.bytesWaiting() == 0) {
      // Asked again: the process may have written its last lines and ended
      // between the first look at the pipe and the process scan.
      keepGoing = false;
    }
    QCoreApplication::processEvents();
    if (!pause) pause = std::make_unique<clsWaitableTimer>();
    pause->Wait(kPollPauseMs);
  } while (keepGoing);

  child.close();
  emit CommandOver();
  return mOutputs;
}
