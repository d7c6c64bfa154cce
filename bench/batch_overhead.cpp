// Time the conversion driver adds per file around its transcoder, through the
// offscreen main window: the batch's time from Start to the last file's end,
// less the time the same command lines take when run one after the other in
// a plain loop, divided by the number of files; and the driver's own CPU.
//
// Usage: batch_overhead standin FILES LIMIT_S   (a stand-in writing a log like
//                                                the real one over about a second)
//        batch_overhead real FILES LIMIT_S CONV (the real transcoder, 1-second WAVs)
//        batch_overhead gap QUEUED RUNS         (the gap between files while
//                                                QUEUED entries wait, measured
//                                                over the first RUNS files)
// A batch not over after LIMIT_S seconds is reported as such.
#include "common/FakeProgram.h"
#include "common/ScriptedModal.h"
#include "common/TempFolder.h"
#include "common/ToneWav.h"
#include "main/frmMain.h"
#include "options/OptionValues.h"
#include "platform/CommandLineSplit.h"
#include "support/DOSOutputs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// The log of a 10-second input, one progress line about every half second.
const char* const kStandIn =
    "for a; do out=$a; done\n"
    "printf \"Input #0, wav, from '%s':\\n"
    "  Duration: 00:00:10.00, start: 0.000000, bitrate: 1411 kb/s\\n"
    "Output #0, mp3, to '%s':\\n\" \"$2\" \"$out\" >&2\n"
    "sleep 0.5; echo 'size=     80kB time=5.02 bitrate= 128.0kbits/s' >&2\n"
    "sleep 0.5; echo 'size=    157kB time=10.00 bitrate= 128.1kbits/s' >&2\n";

double cpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// Runs one command line to its end as the runner would, output on a pipe.
void runPlain(const QString& commandLine) {
  const platform::ResolvedCommand command = platform::resolveCommandLine(commandLine);
  std::vector<QByteArray> storage{command.program.toUtf8()};
  for (const QString& a : command.arguments) storage.push_back(a.toUtf8());
  std::vector<char*> argv;
  for (QByteArray& s : storage) argv.push_back(s.data());
  argv.push_back(nullptr);
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  char buffer[1024];
  while (rc == 0 && read(fds[0], buffer, sizeof buffer) > 0) {
  }
  close(fds[0]);
  if (rc == 0) waitpid(pid, nullptr, 0);
}

double plainLoopMs(const QStringList& commandLines, const QString& outFolder) {
  QDir(outFolder).removeRecursively();
  QDir().mkpath(outFolder);
  QElapsedTimer clock;
  clock.start();
  for (const QString& line : commandLines) runPlain(line);
  const double ms = clock.nsecsElapsed() / 1e6;
  QDir(outFolder).removeRecursively();
  return ms;
}

void touch(const QString& path) { QFile(path).open(QIODevice::WriteOnly); }

// The gap between two files while `queued` entries wait in the list, each an
// existing file and the outputs of the measured ones already present: the
// mean time from one run's end to the next one's end, less the mean time of
// one run on its own. The list is shown, focused and has a current row, as
// after the folder dialog.
int measureGap(int queued, int runs) {
  runs = std::min(runs, queued - 1);
  ScriptedModal modal;
  TempProgramFolder folder;
  writeScript(folder.file("data/conv"), QStringLiteral("for a; do out=$a; done\n: > \"$out\"\n"));
  gNoSound = 1;
  const QString inFolder = folder.file("in"), outFolder = folder.file("out");
  QDir().mkpath(inFolder);
  QDir().mkpath(outFolder);
  QList<QUrl> urls;
  for (int i = 0; i < queued; ++i) {
    const QString path = QStringLiteral("%1/in%2.wav").arg(inFolder).arg(i);
    touch(path);
    if (i <= runs) touch(QStringLiteral("%1/in%2.mp3").arg(outFolder).arg(i));
    urls << QUrl::fromLocalFile(path);
  }

  frmMain window;
  window.cmbOF->setCurrentIndex(0);  // MP3
  window.txtPath->setText(outFolder);
  window.show();
  QMimeData drop;
  drop.setUrls(urls);
  Qt::DropAction effect = Qt::CopyAction;
  window.LV_OLEDragDrop(&drop, effect);
  window.LV->setFocus();
  window.LV->setCurrentItem(window.LV->topLevelItem(0));
  QCoreApplication::processEvents();

  QElapsedTimer clock;
  std::vector<double> endsMs;
  QStringList commandLines;
  QObject::connect(window.objDOS, &DOSOutputs::CommandOver, [&] {
    endsMs.push_back(clock.nsecsElapsed() / 1e6);
    commandLines << window.objDOS->CommandLine();
    // Measured enough: the batch ends at its next step.
    if (static_cast<int>(endsMs.size()) > runs) {
      window.lstFile->clear();
      window.LV->clear();
    }
  });
  clock.start();
  window.imgStart_Click();
  while (window.lblPB->text() != QStringLiteral("Done."))
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

  const double endToEndMs = (endsMs.back() - endsMs.front()) / runs;
  const double aloneMs = plainLoopMs(commandLines, outFolder) / commandLines.size();
  std::printf("gap: queued %d  runs %d  end to end %.1f ms  run alone %.1f ms  gap per file %.1f ms\n",
              queued, runs, endToEndMs, aloneMs, endToEndMs - aloneMs);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.value(1) == QStringLiteral("gap") && args.size() == 4 && args[2].toInt() > 1 &&
      args[3].toInt() > 0)
    return measureGap(args[2].toInt(), args[3].toInt());
  const bool real = args.value(1) == QStringLiteral("real");
  const int files = args.value(2, QStringLiteral("10")).toInt();
  const int limitSeconds = args.value(3, QStringLiteral("120")).toInt();
  const bool standIn = args.value(1) == QStringLiteral("standin");
  if ((!real && !standIn) || (real && args.size() < 5) || files < 1) {
    std::fprintf(stderr,
                 "usage: batch_overhead standin|real FILES LIMIT_S [CONV]\n"
                 "       batch_overhead gap QUEUED RUNS\n");
    return 1;
  }

  ScriptedModal modal;
  TempProgramFolder folder;
  QDir().mkpath(folder.file("data"));
  if (real)
    QFile::link(args.value(4), folder.file("data/conv"));
  else
    writeScript(folder.file("data/conv"), QString::fromUtf8(kStandIn));
  gNoSound = 1;

  frmMain window;
  window.cmbOF->setCurrentIndex(0);  // MP3
  const QString outFolder = folder.file("out");
  window.txtPath->setText(outFolder);
  for (int i = 0; i < files; ++i) {
    const QString path = folder.file(QStringLiteral("in%1.wav").arg(i));
    if (real) writeToneWav(path, 1);
    window.lstFile->addItem(path);
    new QTreeWidgetItem(window.LV, {path, QStringLiteral("WAV")});
  }

  QElapsedTimer clock;
  QStringList commandLines;
  double batchMs = 0, batchCpuMs = 0;
  const double cpuBefore = cpuMs();
  QObject::connect(window.objDOS, &DOSOutputs::CommandOver, [&] {
    commandLines << window.objDOS->CommandLine();
    batchMs = clock.nsecsElapsed() / 1e6;
    batchCpuMs = cpuMs() - cpuBefore;
  });
  // A batch held up for good never returns from its run: report it from inside.
  QTimer::singleShot(limitSeconds * 1000, [&] {
    std::printf("%s: files %d  the batch was not over after %d s (%lld files done)\n",
                real ? "real" : "standin", files, limitSeconds,
                static_cast<long long>(commandLines.size()));
    std::fflush(stdout);
    QDir(folder.path()).removeRecursively();
    _exit(2);
  });
  clock.start();
  window.imgStart_Click();
  while (window.lblPB->text() != QStringLiteral("Done."))
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

  const double plainMs =
      (plainLoopMs(commandLines, outFolder) + plainLoopMs(commandLines, outFolder)) / 2;
  std::printf(
      "%s: files %d  batch %.0f ms  plain loop %.0f ms  overhead per file %.1f ms  driver CPU per "
      "file %.2f ms  run alone %.1f ms\n",
      real ? "real" : "standin", files, batchMs, plainMs, (batchMs - plainMs) / files,
      batchCpuMs / files, plainMs / files);
  return 0;
}
