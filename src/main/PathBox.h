#pragma once
#include <QLineEdit>

// A text box for a path that shows the start of its text whenever the
// program sets it, the same text again included (a plain text box puts its
// cursor at the end and so shows a long path's tail, cut mid-word). The
// user's own keys and clicks place the cursor as in any text box.
class PathBox : public QLineEdit {
  Q_OBJECT
 public:
  PathBox(const QString& text, QWidget* parent);

 protected:
  bool event(QEvent* event) override;

 private:
  bool handlingUserInput_ = false;
};
