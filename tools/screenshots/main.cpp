// Starts the program's main window as the built program in the build's
// program folder would (its setup.ini and options.ini included) and saves a
// picture of each window into the folder given as first argument, with the
// files given after it dropped on the list. Run by scripts/screenshots on a
// virtual X server.
#include "WindowShots.h"
#include "main/frmMain.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER [FILE...]\n", argv[0]);
    return 2;
  }
  QApplication::setApplicationName(QStringLiteral("Dabrelin"));
  platform::setProgramFolder(QStringLiteral(DABRELIN_PROGRAM_DIR));
  frmMain window;
  if (!window.Form_Load()) {
    std::fprintf(stderr, "the program runs from %s: end it first\n", DABRELIN_PROGRAM_DIR);
    return 1;
  }
  window.show();
  QStringList queued;
  for (int i = 2; i < argc; ++i) queued.append(QString::fromLocal8Bit(argv[i]));
  scheduleWindowShots(window, QDir(QString::fromLocal8Bit(argv[1])), queued);
  return app.exec();
}
