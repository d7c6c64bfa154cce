#include "main/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Dabrelin"));
  frmMain window;
  if (!window.Form_Load()) return 0;  // another copy runs: end without a trace
  window.show();
  return app.exec();
}
