#pragma once
#include "skin/SkinnedDialog.h"

#include <QLabel>
#include <QLineEdit>

// The feedback window: name, e-mail address and comment, on its own skin,
// sent as one web request. A new instance for every opening, so every
// opening starts with empty boxes and a working Send.
class frmSuggest : public SkinnedDialog {
  Q_OBJECT
 public:
  explicit frmSuggest(QWidget* parent = nullptr);

  QLineEdit* txtName = nullptr;
  QLineEdit* txtEMail = nullptr;
  QLineEdit* txtComment = nullptr;
  QLabel* lblSending = nullptr;  // the status line, hidden until a send
  ImageButton* imgSend = nullptr;
  ImageButton* imgBack = nullptr;
  ImageButton* imgExit = nullptr;

  void Form_Load();
  // Send: prompts for the first empty box, otherwise sends the request; Send
  // is disabled while it runs and, once it has been delivered, for the rest of
  // this opening.
  void Command1_Click();
  void imgSend_Click();
  // The request is over: "Finished." when the server took it, otherwise
  // "Not sent." with Send usable again (the answer's content is not looked at).
  void wb_DocumentComplete(bool delivered);
  void imgBack_Click();
  void imgExit_Click();
  void Command2_Click();

 private:
  void createControls();
  QLineEdit* addTextBox(double left, double top, double width, int maxLength,
                        const QString& tooltip);
  void showStatus(const QString& caption);
};

// Opens a fresh feedback window modally, without an owner window; returns
// when the user has closed it.
void showFeedbackWindow();
