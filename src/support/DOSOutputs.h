#pragma once
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

  // How the last run ended: its exit code, 128 + the signal that killed it,
  // or -1 when it could not be started.
  int ExitStatus() const { return mExitStatus; }

  // The run ends once the pipe is found empty while no process of this name
  // exists ("conv", the transcoder); tests running side by side set their own.
  void setWatchedProcessName(const QString& name) { watchedName_ = name; }

  // Runs the given command line (it replaces the stored one when not empty)
  // and returns everything it wrote; "" when it could not be started.
  QString ExecuteCommand(const QString& commandLine = QString());

 signals:
  void ReceiveOutputs(const QString& CommandOutputs);
  void CommandOver();

 private:
  bool IsProcessRunning(const QString& name) const;

  QString mCommandLine;
  QString mOutputs;
  int mExitStatus = -1;
  QString watchedName_ = QStringLiteral("conv");
};
