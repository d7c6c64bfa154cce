#pragma once
#include <QDialog>
#include <QIcon>

class QDialogButtonBox;
class QLabel;
class QPlainTextEdit;

// An OK-only window for a report of any length: an icon and a summary line
// over a read-only text that scrolls, and OK under it.
class ReportWindow : public QDialog {
  Q_OBJECT
 public:
  ReportWindow(QWidget* owner, const QString& title, const QString& summary,
               const QString& details, const QIcon& icon);

  // Sizes the window to its text, but never beyond the given part of the
  // screen (room is left for the window's frame), and centres it there.
  void fitInto(const QRect& available);

  QLabel* summaryLabel = nullptr;
  QPlainTextEdit* detailsText = nullptr;
  QDialogButtonBox* buttons = nullptr;

 private:
  // The lines the details take, each paragraph wrapped as the text box wraps
  // it at `lineWidth` pixels.
  int wrappedLines(int lineWidth) const;
};
