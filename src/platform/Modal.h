#pragma once
#include <QColor>
#include <QFont>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QDialog;
class QMenu;
class QPoint;
class QWidget;

// Everything that waits for the user or reaches outside the program goes
// through this one interface: the program uses the real one, tests install a
// scripted one that records each request and answers it without blocking.
namespace platform {

enum class MessageIcon { None, Critical, Exclamation, Information };

// A file dialog's options, with the values the common dialogs' callers give
// them. The other bits a caller may pass change nothing here.
namespace file_dialog_flags {
constexpr uint32_t OverwritePrompt = 0x2;  // a save asks before it replaces a file
constexpr uint32_t HideReadOnly = 0x4;     // no read-only box: there never is one here
constexpr uint32_t FileMustExist = 0x1000;
constexpr uint32_t LongNames = 0x200000;   // the only kind of name here
}  // namespace file_dialog_flags

struct FileDialogRequest {
  QString title;                               // empty: the platform's own caption
  QString folder;                              // where the dialog starts
  QString fileName;                            // preset name, may be empty
  QList<QPair<QString, QString>> filters;      // (description, pattern) pairs in order
  QString defaultSuffix;
  uint32_t flags = 0;                          // file_dialog_flags
};

struct ColorDialogRequest {
  QColor initial;
  bool expanded = false;       // opens with the picker for colours of one's own
  QList<QColor> customColors;  // the custom-colour table the dialog starts with
};

class Modal {
 public:
  virtual ~Modal() = default;

  // An OK-only message box; an empty title shows the program's name.
  virtual void showMessage(QWidget* owner, const QString& text, const QString& title,
                           MessageIcon icon) = 0;

  // An OK-only report that may be long: a summary line over a text that
  // scrolls where it does not fit. The window is never taller than the
  // screen and its OK is always in view.
  virtual void showReport(QWidget* owner, const QString& title, const QString& summary,
                          const QString& details, MessageIcon icon) = 0;

  // Each returns nullopt when the user cancels.
  virtual std::optional<QString> openFile(QWidget* owner, const FileDialogRequest& request) = 0;
  virtual std::optional<QString> saveFile(QWidget* owner, const FileDialogRequest& request) = 0;
  virtual std::optional<QString> chooseFolder(QWidget* owner, const QString& title) = 0;
  virtual std::optional<QColor> chooseColor(QWidget* owner,
                                            const ColorDialogRequest& request) = 0;
  virtual std::optional<QFont> chooseFont(QWidget* owner, const QFont& initial) = 0;
  virtual bool choosePrinter(QWidget* owner) = 0;
  virtual bool showPrinterProperties(QWidget* owner) = 0;

  // The chosen item, or nullptr when the menu was dismissed.
  virtual QAction* popupMenu(QMenu* menu, const QPoint& globalPos) = 0;

  // Runs a window modally and returns its result code.
  virtual int showModal(QDialog* window) = 0;

  // Opens a folder or a web page in the desktop's own program.
  virtual void openUrl(const QUrl& url) = 0;

  // Plays a PCM WAV file to its end before returning; the system beep when
  // the file is missing or cannot be played.
  virtual void playSound(const QString& wavPath) = 0;

  // Sends one HTTP GET; `finished` runs once when it is over, with true when
  // the server answered with success and false when the request failed (no
  // connection, refused, an HTTP error status).
  virtual void httpGet(const QUrl& url, std::function<void(bool delivered)> finished) = 0;
};

Modal& modal();
// Installs another implementation (tests); nullptr restores the real one.
void setModal(Modal* replacement);

}  // namespace platform
