// Times the two long queue operations on the offscreen window: adding a
// folder of files (until they are queued and the list has painted) and
// Remove All of the entries, for each count given (20,000 and 100,000 by
// default). Before Remove All the list has keyboard focus and its top row is
// current, as after the folder dialog closes. A 5 ms timer runs throughout;
// its longest silence shows how long the window went without handling events.
#include "ScriptedModal.h"
#include "main/frmMain.h"
#include "main/frmMenu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QItemSelectionModel>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Watches how often a 5 ms timer gets to run while an operation works.
class Responsiveness {
 public:
  Responsiveness() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      longestGapMs_ = std::max(longestGapMs_, sinceLastTick_.restart());
      ++ticks_;
    });
  }
  void start() {
    ticks_ = 0;
    longestGapMs_ = 0;
    sinceLastTick_.start();
    timer_.start();
  }
  void stop() {
    timer_.stop();
    longestGapMs_ = std::max(longestGapMs_, sinceLastTick_.elapsed());
  }
  int ticks() const { return ticks_; }
  qint64 longestGapMs() const { return longestGapMs_; }

 private:
  QTimer timer_;
  QElapsedTimer sinceLastTick_;
  int ticks_ = 0;
  qint64 longestGapMs_ = 0;
};

void report(const QString& what, qint64 ms, const Responsiveness& probe, int listed) {
  std::printf("%-34s %6lld ms   timer ticks %5d   longest gap %4lld ms   items listed %d\n",
              qPrintable(what),
              static_cast<long long>(ms), probe.ticks(), static_cast<long long>(probe.longestGapMs()),
              listed);
}

// Adds a folder of `files` files, then removes them all; whether both
// lists ended empty.
bool addAndRemoveAll(int files) {
  QTemporaryDir folder;
  for (int i = 0; i < files; ++i) {
    QFile file(QStringLiteral("%1/track%2.mp3").arg(folder.path()).arg(i, 6, 10, QLatin1Char('0')));
    file.open(QIODevice::WriteOnly);
  }
  const QString count = QLocale(QLocale::English).toString(files);

  ScriptedModal modal;
  frmMain window;
  window.show();
  window.activateWindow();
  QCoreApplication::processEvents();
  Responsiveness probe;
  QElapsedTimer clock;

  modal.folderAnswers = {folder.path()};
  probe.start();
  clock.start();
  window.imgToolbar_Click(6);
  window.repaint();  // shown, not only queued
  const qint64 addMs = clock.elapsed();
  probe.stop();
  report(QStringLiteral("add a folder of %1 files").arg(count), addMs, probe,
         window.LV->topLevelItemCount());

  // The list as the user finds it once the dialog has closed: focused, with
  // its top row current though nothing is selected.
  window.LV->setFocus();
  window.LV->selectionModel()->setCurrentIndex(window.LV->model()->index(0, 0),
                                               QItemSelectionModel::NoUpdate);
  QCoreApplication::processEvents();

  probe.start();
  clock.restart();
  window.menuForm->menuRemoveAll_Click();
  window.repaint();
  const qint64 removeMs = clock.elapsed();
  probe.stop();
  report(QStringLiteral("Remove All of %1 entries").arg(count), removeMs, probe,
         window.LV->topLevelItemCount());

  return window.lstFile->count() == 0 && window.LV->topLevelItemCount() == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {20000, 100000};

  bool ok = true;
  for (const int files : counts) ok = addAndRemoveAll(files) && ok;
  return ok ? 0 : 1;
}
