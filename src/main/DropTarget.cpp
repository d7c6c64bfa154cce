#include "main/DropTarget.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {
// A file address names a file of this machine only without a host or with
// "localhost"; any other host's file would be misread as a local path.
bool isOnThisMachine(const QUrl& url) {
  return url.isLocalFile() && (url.host().isEmpty() || url.host() == u"localhost");
}
}  // namespace

QStringList droppedFiles(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (QUrl url : data->urls()) {
    if (!isOnThisMachine(url)) continue;
    url.setHost(QString());
    QString path = url.toLocalFile();
    if (path.size() > 1 && path.endsWith(u'/')) path.chop(1);
    files.append(path);
  }
  return files;
}

DropTarget::DropTarget(QWidget* target, Handler onDrop) : QObject(target), onDrop_(std::move(onDrop)) {
  target->setAcceptDrops(true);
  target->installEventFilter(this);
}

bool DropTarget::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      // Whatever is dragged may be dropped: the handler decides what it takes.
      auto* drag = static_cast<QDragMoveEvent*>(event);
      drag->setDropAction(Qt::CopyAction);
      drag->accept();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      Qt::DropAction effect = Qt::CopyAction;
      onDrop_(drop->mimeData(), effect);
      drop->setDropAction(effect);
      drop->accept();
      return true;
    }
    default:
      return QObject::eventFilter(watched, event);
  }
}
