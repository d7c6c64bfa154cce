#include "platform/QtModal.h"

#include "platform/DialogSetup.h"
#include "platform/NameBytes.h"
#include "platform/ReportWindow.h"
#include "platform/WavPlayer.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QStyle>

namespace platform {
namespace {

// Qt's dialog shows a name's bytes that are not UTF-8 as U+FFFD, so such a
// file no longer exists under the name chosen, and the dialog itself would
// call it "not found". It is handed back instead, for the caller to refuse
// it for what it is.
class FileDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

  void accept() override {
    const QStringList chosen = selectedFiles();
    if (fileMode() == ExistingFile && chosen.size() == 1 && lostItsBytes(chosen.first()))
      QDialog::accept();
    else
      QFileDialog::accept();
  }
};

std::optional<QString> runFileDialog(QWidget* owner, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
  FileDialog dialog(owner, request.title, request.folder);
  prepareFileDialog(dialog, request, mode);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

QMessageBox::Icon qtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

QIcon styleIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical: return qApp->style()->standardIcon(QStyle::SP_MessageBoxCritical);
    case MessageIcon::Exclamation: return qApp->style()->standardIcon(QStyle::SP_MessageBoxWarning);
    case MessageIcon::Information:
      return qApp->style()->standardIcon(QStyle::SP_MessageBoxInformation);
    case MessageIcon::None: break;
  }
  return QIcon();
}

}  // namespace

QtModal::~QtModal() = default;

void QtModal::showMessage(QWidget* owner, const QString& text, const QString& title,
                          MessageIcon icon) {
  const QString caption = title.isEmpty() ? QApplication::applicationName() : title;
  QMessageBox box(qtIcon(icon), caption, text, QMessageBox::Ok, owner);
  box.exec();
}

void QtModal::showReport(QWidget* owner, const QString& title, const QString& summary,
                         const QString& details, MessageIcon icon) {
  const QString caption = title.isEmpty() ? QApplication::applicationName() : title;
  ReportWindow window(owner, caption, summary, details, styleIcon(icon));
  QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen) window.fitInto(screen->availableGeometry());
  window.exec();
}

std::optional<QString> QtModal::openFile(QWidget* owner, const FileDialogRequest& request) {
  return runFileDialog(owner, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtModal::saveFile(QWidget* owner, const FileDialogRequest& request) {
  return runFileDialog(owner, request, QFileDialog::AcceptSave);
}

std::optional<QString> QtModal::chooseFolder(QWidget* owner, const QString& title) {
  const QString folder = QFileDialog::getExistingDirectory(owner, title);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

std::optional<QColor> QtModal::chooseColor(QWidget* owner, const ColorDialogRequest& request) {
  // Qt shares its custom colours with the user's other Qt programs: they get
  // theirs back as they were.
  QList<QColor> shared;
  for (int i = 0; i < QColorDialog::customCount(); ++i) shared.append(QColorDialog::customColor(i));
  QColorDialog dialog(owner);
  prepareColorDialog(dialog, request);
  const bool confirmed = dialog.exec() == QDialog::Accepted;
  for (int i = 0; i < shared.size(); ++i) QColorDialog::setCustomColor(i, shared[i]);
  if (!confirmed) return std::nullopt;
  return dialog.selectedColor();
}

std::optional<QFont> QtModal::chooseFont(QWidget* owner, const QFont& initial) {
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, initial, owner);
  if (!ok) return std::nullopt;
  return font;
}

bool QtModal::choosePrinter(QWidget* owner) {
  QPrinter printer;
  QPrintDialog dialog(&printer, owner);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
  return dialog.exec() == QDialog::Accepted;
}

bool QtModal::showPrinterProperties(QWidget* owner) {
  QPrinter printer;
  QPageSetupDialog dialog(&printer, owner);
  return dialog.exec() == QDialog::Accepted;
}

QAction* QtModal::popupMenu(QMenu* menu, const QPoint& globalPos) { return menu->exec(globalPos); }

int QtModal::showModal(QDialog* window) { return window->exec(); }

void QtModal::openUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

void QtModal::playSound(const QString& wavPath) {
  if (!playWavBlocking(wavPath)) QApplication::beep();
}

void QtModal::httpGet(const QUrl& url, std::function<void(bool delivered)> finished) {
  if (!network_) network_ = new QNetworkAccessManager(qApp);
  QNetworkReply* reply = network_->get(QNetworkRequest(url));
  QObject::connect(reply, &QNetworkReply::finished, reply, [reply, finished] {
    reply->deleteLater();
    // Qt reports an HTTP error status (4xx, 5xx) as an error of the reply too.
    if (finished) finished(reply->error() == QNetworkReply::NoError);
  });
}

namespace {
Modal*& installed() {
  static Modal* current = nullptr;
  return current;
}
}  // namespace

Modal& modal() {
  static QtModal real;
  return installed() ? *installed() : real;
}

void setModal(Modal* replacement) { installed() = replacement; }

}  // namespace platform
