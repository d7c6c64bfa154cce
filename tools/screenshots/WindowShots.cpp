#include "WindowShots.h"

#include "feedback/frmSuggest.h"
#include "main/PictureBox.h"
#include "main/frmMain.h"
#include "options/frmOptions.h"
#include "skin/ImageButton.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <functional>

namespace {

// Long enough for the one-shot tick and the X server to map the window.
constexpr int kSettleMs = 800;

// The screen around the window, a margin included, so the see-through
// corners show what lies behind them.
void saveScreenArea(QWidget* window, const QString& path) {
  constexpr int kMargin = 8;
  const QRect area = window->frameGeometry().adjusted(-kMargin, -kMargin, kMargin, kMargin);
  window->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path);
}

void shootDialog(SkinnedDialog& dialog, const QString& path) {
  QTimer::singleShot(kSettleMs, &dialog, [&dialog, path] {
    saveScreenArea(&dialog, path);
    dialog.reject();
  });
  dialog.exec();
}

// Runs `step` after the window has settled, the event loop running meanwhile.
void afterSettling(const std::function<void()>& step) {
  QEventLoop loop;
  QTimer::singleShot(kSettleMs, &loop, &QEventLoop::quit);
  loop.exec();
  step();
}

}  // namespace

void scheduleWindowShots(frmMain& window, const QDir& dir, const QStringList& queued) {
  QTimer::singleShot(0, &window, [&window, dir, queued] {
    afterSettling([&] { saveScreenArea(&window, dir.filePath(QStringLiteral("main.png"))); });
    // The list and the settings under the getting-started panel, one toolbar button lit.
    if (window.picDoor) window.picDoor->hide();
    if (!queued.isEmpty()) {
      QMimeData files;
      QList<QUrl> urls;
      for (const QString& path : queued) urls.append(QUrl::fromLocalFile(path));
      files.setUrls(urls);
      Qt::DropAction action = Qt::IgnoreAction;
      window.LV_OLEDragDrop(&files, action);
    }
    window.imgToolbar[0]->HoverTwin();
    afterSettling([&] { saveScreenArea(&window, dir.filePath(QStringLiteral("main_list.png"))); });
    {
      frmOptions options;
      shootDialog(options, dir.filePath(QStringLiteral("options.png")));
    }
    {
      frmSuggest feedback;
      shootDialog(feedback, dir.filePath(QStringLiteral("feedback.png")));
    }
    QCoreApplication::quit();
  });
}
