#pragma once
#include "platform/Modal.h"

class QNetworkAccessManager;

namespace platform {

// The real dialogs, menus, desktop services, sound and network of Qt.
class QtModal : public Modal {
 public:
  ~QtModal() override;
  void showMessage(QWidget* owner, const QString& text, const QString& title,
                   MessageIcon icon) override;
  void showReport(QWidget* owner, const QString& title, const QString& summary,
                  const QString& details, MessageIcon icon) override;
  std::optional<QString> openFile(QWidget* owner, const FileDialogRequest& request) override;
  std::optional<QString> saveFile(QWidget* owner, const FileDialogRequest& request) override;
  std::optional<QString> chooseFolder(QWidget* owner, const QString& title) override;
  std::optional<QColor> chooseColor(QWidget* owner, const ColorDialogRequest& request) override;
  std::optional<QFont> chooseFont(QWidget* owner, const QFont& initial) override;
  bool choosePrinter(QWidget* owner) override;
  bool showPrinterProperties(QWidget* owner) override;
  QAction* popupMenu(QMenu* menu, const QPoint& globalPos) override;
  int showModal(QDialog* window) override;
  void openUrl(const QUrl& url) override;
  void playSound(const QString& wavPath) override;
  void httpGet(const QUrl& url, std::function<void(bool delivered)> finished) override;

 private:
  QNetworkAccessManager* network_ = nullptr;
};

}  // namespace platform
