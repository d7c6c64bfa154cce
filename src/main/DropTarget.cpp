#include "main/DropTarget.h"

#include "platform/NameBytes.h"

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

// Some senders put a name's bytes into the list as they are; encoded, they
// pass through QUrl unchanged like those sent percent-encoded.
QByteArray withHighBytesEncoded(const QByteArray& entry) {
  QByteArray encoded;
  for (const char byte : entry) {
    if (static_cast<unsigned char>(byte) < 0x80)
      encoded += byte;
    else
      encoded += '%' + QByteArray(1, byte).toHex().toUpper();
  }
  return encoded;
}
}  // namespace

QStringList droppedFiles(const QMimeData* data) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  // Read from the list's own bytes: QUrl decodes a percent-encoded name as
  // UTF-8 and loses every byte of one that is not.
  for (QByteArray entry : data->data(QStringLiteral("text/uri-list")).split('\n')) {
    if (entry.endsWith('\r')) entry.chop(1);
    if (entry.isEmpty() || entry.startsWith('#')) continue;
    const QUrl url = QUrl::fromEncoded(withHighBytesEncoded(entry));
    if (!isOnThisMachine(url)) continue;
    QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (path.size() > 1 && path.endsWith('/')) path.chop(1);
    files.append(platform::nameFromBytes(path));
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
