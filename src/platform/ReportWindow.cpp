#include "platform/ReportWindow.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kWidthInCharacters = 90;
// The share of the available room the window itself may take: the rest is
// for the frame the window manager draws around it.
constexpr double kScreenShare = 0.9;
}  // namespace

ReportWindow::ReportWindow(QWidget* owner, const QString& title, const QString& summary,
                           const QString& details, const QIcon& icon)
    : QDialog(owner) {
  setWindowTitle(title);

  auto* iconLabel = new QLabel(this);
  const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  iconLabel->setPixmap(icon.pixmap(iconSize, iconSize));
  summaryLabel = new QLabel(summary, this);
  summaryLabel->setWordWrap(true);
  auto* top = new QHBoxLayout;
  top->addWidget(iconLabel, 0, Qt::AlignTop);
  top->addWidget(summaryLabel, 1);

  detailsText = new QPlainTextEdit(details, this);
  detailsText->setReadOnly(true);
  detailsText->setLineWrapMode(QPlainTextEdit::WidgetWidth);

  buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(detailsText, 1);
  layout->addWidget(buttons);
}

void ReportWindow::fitInto(const QRect& available) {
  const QFontMetrics metrics(detailsText->font());
  const int maxWidth = static_cast<int>(available.width() * kScreenShare);
  const int maxHeight = static_cast<int>(available.height() * kScreenShare);
  const int width = std::min(metrics.averageCharWidth() * kWidthInCharacters, maxWidth);

  // The whole text as the box wraps it at that width, a spare line, the frame
  // and margins of the text box, and whatever the rest of the window needs
  // around it.
  const int margin = static_cast<int>(detailsText->document()->documentMargin());
  const int textFrame = 2 * detailsText->frameWidth() + 2 * margin;
  const QMargins around = layout()->contentsMargins();
  const int lineWidth = width - around.left() - around.right() - textFrame;
  const int lines = wrappedLines(lineWidth) + 1;
  const int wholeText = lines * metrics.lineSpacing() + textFrame;
  const int aroundText = sizeHint().height() - detailsText->sizeHint().height();
  const int height = std::min(aroundText + wholeText, maxHeight);

  setMaximumSize(maxWidth, maxHeight);
  resize(width, height);
  move(available.center() - QPoint(width / 2, height / 2));
}

int ReportWindow::wrappedLines(int lineWidth) const {
  QTextOption wrapping;
  wrapping.setWrapMode(detailsText->wordWrapMode());
  int lines = 0;
  for (QTextBlock block = detailsText->document()->begin(); block.isValid(); block = block.next()) {
    QTextLayout paragraph(block.text(), detailsText->font());
    paragraph.setTextOption(wrapping);
    paragraph.beginLayout();
    for (QTextLine line = paragraph.createLine(); line.isValid(); line = paragraph.createLine()) {
      line.setLineWidth(lineWidth);
      ++lines;
    }
    paragraph.endLayout();
  }
  return lines;
}
