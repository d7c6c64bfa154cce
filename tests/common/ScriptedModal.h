#pragma once
#include "platform/Modal.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QPoint>
#include <deque>
#include <vector>

// Stands in for every dialog, menu, sound and network request while it
// lives: records what was asked and answers from the scripts the test set,
// so no test ever blocks.
class ScriptedModal : public platform::Modal {
 public:
  struct Message {
    QString text;
    QString title;
    platform::MessageIcon icon;
  };

  struct Report {
    QString title, summary, details;
    platform::MessageIcon icon;
  };

  ScriptedModal() { platform::setModal(this); }
  ~ScriptedModal() override { platform::setModal(nullptr); }

  // What was asked.
  std::vector<Message> messages;
  std::vector<Report> reports;
  std::vector<platform::FileDialogRequest> openRequests, saveRequests;
  std::vector<QString> folderTitles;
  std::vector<platform::ColorDialogRequest> colorRequests;
  std::vector<QUrl> openedUrls;
  std::vector<QString> playedSounds;
  std::vector<QUrl> requestedUrls;
  int fontCalls = 0, printerCalls = 0, printerPropertiesCalls = 0;

  // The answers; an empty queue answers "cancelled".
  std::deque<std::optional<QString>> openAnswers, saveAnswers, folderAnswers;
  std::deque<std::optional<QColor>> colorAnswers;
  std::deque<std::optional<QFont>> fontAnswers;
  bool printerAnswer = false, printerPropertiesAnswer = false;
  // Picks an item of a popup menu (nullptr: dismissed); runs a modal window.
  std::function<QAction*(QMenu*, const QPoint&)> onPopup;
  std::function<int(QDialog*)> onModal;
  // Runs when a message box would show, after it has been recorded.
  std::function<void(const Message&)> onMessage;
  std::function<void(const Report&)> onReport;
  // The answers of the requests sent, to be run with true (delivered) or false.
  std::vector<std::function<void(bool)>> pendingReplies;

  void showMessage(QWidget*, const QString& text, const QString& title,
                   platform::MessageIcon icon) override {
    messages.push_back({text, title, icon});
    if (onMessage) onMessage(messages.back());
  }
  void showReport(QWidget*, const QString& title, const QString& summary, const QString& details,
                  platform::MessageIcon icon) override {
    reports.push_back({title, summary, details, icon});
    if (onReport) onReport(reports.back());
  }
  std::optional<QString> openFile(QWidget*, const platform::FileDialogRequest& r) override {
    openRequests.push_back(r);
    return next(openAnswers);
  }
  std::optional<QString> saveFile(QWidget*, const platform::FileDialogRequest& r) override {
    saveRequests.push_back(r);
    return next(saveAnswers);
  }
  std::optional<QString> chooseFolder(QWidget*, const QString& title) override {
    folderTitles.push_back(title);
    return next(folderAnswers);
  }
  std::optional<QColor> chooseColor(QWidget*, const platform::ColorDialogRequest& r) override {
    colorRequests.push_back(r);
    return next(colorAnswers);
  }
  std::optional<QFont> chooseFont(QWidget*, const QFont&) override {
    ++fontCalls;
    return next(fontAnswers);
  }
  bool choosePrinter(QWidget*) override {
    ++printerCalls;
    return printerAnswer;
  }
  bool showPrinterProperties(QWidget*) override {
    ++printerPropertiesCalls;
    return printerPropertiesAnswer;
  }
  QAction* popupMenu(QMenu* menu, const QPoint& pos) override {
    return onPopup ? onPopup(menu, pos) : nullptr;
  }
  int showModal(QDialog* window) override {
    return onModal ? onModal(window) : QDialog::Rejected;
  }
  void openUrl(const QUrl& url) override { openedUrls.push_back(url); }
  void playSound(const QString& path) override { playedSounds.push_back(path); }
  void httpGet(const QUrl& url, std::function<void(bool)> finished) override {
    requestedUrls.push_back(url);
    pendingReplies.push_back(std::move(finished));
  }

 private:
  template <typename T>
  static std::optional<T> next(std::deque<std::optional<T>>& answers) {
    std::optional<T> answer;
    if (!answers.empty()) {
      answer.swap(answers.front());
      answers.pop_front();
    }
    return answer;
  }
};
