#pragma once
#include <QObject>
#include <QStringList>
#include <functional>

class QMimeData;
class QWidget;

// The local files a drop carries, in the order the data lists them; other
// addresses, files of other hosts among them, are no files. A folder comes
// without a trailing "/"; names keep their bytes (platform/NameBytes.h).
QStringList droppedFiles(const QMimeData* data);

// Lets a widget take drops of any data with the copy action and hands each
// dropped data to a handler, which may set the action the drop reports.
class DropTarget : public QObject {
 public:
  using Handler = std::function<void(const QMimeData* data, Qt::DropAction& effect)>;
  DropTarget(QWidget* target, Handler onDrop);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Handler onDrop_;
};
