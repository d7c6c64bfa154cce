#include "support/DOSOutputs.h"

#include "platform/ChildProcess.h"
#include "platform/Modal.h"
#include "support/clsWaitableTimer.h"

#include <QCoreApplication>
#include <memory>

namespace {
constexpr qint64 kChunkBytes = 1024;
constexpr int kPollPauseMs = 50;

void showStop(const QString& text) {
  platform::modal().showMessage(nullptr, text, QString(), platform::MessageIcon::Critical);
}

// Turns output read in pieces into text: a character split between two reads
// is held back until its rest arrives, so the pieces decode as the whole would.
class PieceDecoder {
 public:
  QString operator()(const QByteArray& bytes) {
    held_ += bytes;
    const qsizetype whole = held_.size() - unfinishedTail();
    const QString text = QString::fromUtf8(held_.constData(), whole);
    held_.remove(0, whole);
    return text;
  }

  // What is still held, decoded as it stands (a cut-off character included).
  QString rest() {
    const QString text = QString::fromUtf8(held_);
    held_.clear();
    return text;
  }

  qsizetype heldBytes() const { return held_.size(); }

 private:
  // Bytes at the end that begin a character whose remaining bytes are missing.
  qsizetype unfinishedTail() const {
    for (qsizetype back = 1; back <= 3 && back <= held_.size(); ++back) {
      const auto byte = static_cast<unsigned char>(held_[held_.size() - back]);
      if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
      const qsizetype length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
      return length > back ? back : 0;
    }
    return 0;
  }

  QByteArray held_;
};
}  // namespace

DOSOutputs::DOSOutputs(QObject* parent) : QObject(parent) {}

void DOSOutputs::handOn(const QString& chunk) {
  mOutputs += chunk;
  emit ReceiveOutputs(chunk);
}

QString DOSOutputs::ExecuteCommand(const QString& commandLine) {
  if (!commandLine.isEmpty()) mCommandLine = commandLine;
  mExitStatus = {};
  mStartFailure.clear();
  if (mCommandLine.isEmpty()) return refuseStart(QStringLiteral("Command Line empty"));

  platform::ChildProcess child;
  switch (child.start(mCommandLine)) {
    case platform::ChildProcess::StartResult::ArgumentHoldsNul:
      return refuseStart(QStringLiteral(
          "Not started: an argument of the command line holds a NUL character, "
          "which would cut it short"));
    case platform::ChildProcess::StartResult::PipeFailed:
      return refuseStart(QStringLiteral("CreatePipe failed. Error: ") +
                         QString::number(child.errorCode()));
    case platform::ChildProcess::StartResult::SpawnFailed:
      return refuseStart(QStringLiteral("File or command not found"));
    case platform::ChildProcess::StartResult::Started:
      break;
  }
  mOutputs.clear();

  PieceDecoder decode;
  std::unique_ptr<clsWaitableTimer> pause;
  // The pause only spaces the polls: it ends early once output waits or the
  // child has ended.
  const auto pauseBriefly = [&pause, &child] {
    if (!pause) pause = std::make_unique<clsWaitableTimer>();
    pause->Wait(kPollPauseMs, child.wakeDescriptors());
  };
  bool keepGoing = true;
  for (;;) {
    if (child.bytesWaiting() != 0) {
      QByteArray bytes;
      // A held-back character counts against this pass's bytes, so no chunk
      // grows beyond them.
      keepGoing = child.read(kChunkBytes - decode.heldBytes(), bytes);
      handOn(decode(bytes));
    } else if (child.hasExited() && child.bytesWaiting() == 0) {
      // Asked again: the child may have written its last lines between the
      // first look at the pipe and its end.
      keepGoing = false;
    }
    QCoreApplication::processEvents();
    if (!keepGoing) break;
    pauseBriefly();
  }
  // A failed read ends the reading, not the run: the child is still waited
  // for, so that its end tells how the run went and it is not left a zombie.
  // Its pipe is closed first, so that it cannot block on output nobody reads.
  if (!child.hasExited()) {
    child.closeOutput();
    do {
      pauseBriefly();
      QCoreApplication::processEvents();
    } while (!child.hasExited());
  }
  // A character cut off by the end of the output is kept as it stands.
  const QString rest = decode.rest();
  if (!rest.isEmpty()) handOn(rest);

  child.close();
  mExitStatus = child.exitStatus();
  emit CommandOver();
  return mOutputs;
}

QString DOSOutputs::refuseStart(const QString& reason) {
  mStartFailure = reason;
  showStop(reason);
  return QString();
}
