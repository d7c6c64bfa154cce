#pragma once
#include "main/SkinnedDialog.h"

#include <QLabel>
#include <QLineEdit>

// The feedback window: name, e-mail address and comment, on its own skin.
// A new instance for every opening.
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
  void imgBack_Click();
  void imgExit_Click();

 private:
  void createControls();
  QLineEdit* addTextBox(double left, double top, double width, int maxLength,
                        const QString& tooltip);
};
