#pragma once
#include "platform/ChildProcess.h"

#include <QObject>
#include <QString>

// Runs one console command line hidden, standard output and standard error
// on one pipe, and hands its output on in pieces while the window stays
// responsive. Both events are raised inside ExecuteCommand, before it returns.
class DOSOutputs : public QObject {
  Q_OBJECT
 public:
  explicit DOSOutputs(QObject* parent = nullptr);

  void setCommandLine(const QString& commandLine) { mCommandLine = commandLine; }
  QString CommandLine() const { return mCommandLine; }
  QString Outputs() const { return mOutputs; }

  // How the last run ended; Unknown when it could not be started (or its end
  // could not be seen).
  platform::ExitStatus ExitStatus() const { return mExitStatus; }

  // Why the last call started nothing (the text of its stop message); empty
  // when it started its command.
  QString StartFailure() const { return mStartFailure; }

  // Runs the given command line (it replaces the stored one when not empty)
  // and returns everything it wrote; "" when it could not be started. The run
  // is over once its pipe is drained and the child it started has ended.
  QString ExecuteCommand(const QString& commandLine = QString());

 signals:
  void ReceiveOutputs(const QString& CommandOutputs);
  void CommandOver();

 private:
  // Appends a piece of output to the run's text and raises it.
  void handOn(const QString& chunk);
  // Shows why the command cannot start, keeps the reason and returns "".
  QString refuseStart(const QString& reason);

  QString mCommandLine;
  QString mOutputs;
  platform::ExitStatus mExitStatus;
  QString mStartFailure;
};
