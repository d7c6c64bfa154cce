#include "TempFolder.h"
#include "main/frmMain.h"
#include "skin/LinkLabel.h"
#include "skin/TextFit.h"

#include <QFontMetricsF>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

double textWidth(const QLabel& label) {
  return QFontMetricsF(label.font()).horizontalAdvance(label.text());
}

QFont sized(double points) {
  QFont font;
  font.setPointSizeF(points);
  return font;
}

TEST(TextFit, LabelRefitsWhenItIsResizedOrGivenAnotherFont) {
  QWidget window;
  QLabel& label = *new QLabel(QStringLiteral("Feedback"), &window);
  window.show();  // a shown label hears of its resizes at once
  label.setFont(sized(12));
  const int roomy = int(textWidth(label)) + 4;
  label.resize(roomy, 20);
  keepTextFitting(&label);
  EXPECT_EQ(label.font().pointSizeF(), 12);

  label.resize(roomy / 2, 20);
  EXPECT_LT(label.font().pointSizeF(), 12);
  EXPECT_LE(textWidth(label), roomy / 2);

  label.resize(0, 20);  // no room at all: the smallest size, never less
  EXPECT_EQ(label.font().pointSizeF(), kSmallestFittedPointSize);

  label.resize(roomy, 20);  // room again: back to the size it was given
  EXPECT_EQ(label.font().pointSizeF(), 12);

  label.setFont(sized(24));  // a new size from outside is the new start
  EXPECT_LT(label.font().pointSizeF(), 24);
  EXPECT_LE(textWidth(label), roomy);
}

TEST(TextFit, MainWindowHintAndFeedbackLinkShowTheirWholeText) {
  TempProgramFolder program;
  for (double perPixel : {15.0, 12.0}) {
    twips::setPerPixel(perPixel, perPixel);
    frmMain window;
    window.skin.ScaleToDpi();
    for (const QLabel* label : {window.lblText, static_cast<QLabel*>(window.lblFeed)}) {
      EXPECT_LE(textWidth(*label), label->contentsRect().width()) << label->text().toStdString();
    }
    EXPECT_EQ(window.lblText->text(), "Drag & Drop Files Here");
    EXPECT_EQ(window.lblFeed->text(), "Feedback");
    // The twips geometry stays as designed: only the font gives way.
    EXPECT_EQ(window.lblFeed->width(), twips::toPixelsX(window.layout[window.lblFeed].Width));
  }
  twips::setPerPixel(0, 0);
}

}  // namespace
