#include "skin/TextFit.h"

#include "skin/Twips.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>

namespace {

constexpr double kStep = 0.25;

// Refits on the label's own font and size changes. The size it was given
// from outside is the one to start from, so a label that grows gets its
// larger text back.
class TextFitter : public QObject {
 public:
  explicit TextFitter(QLabel* label) : QObject(label), label_(label) {
    givenPointSize_ = label->font().pointSizeF();
    label->installEventFilter(this);
    refit();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == label_ && !refitting_) {
      if (event->type() == QEvent::FontChange) {
        givenPointSize_ = label_->font().pointSizeF();
        refit();
      } else if (event->type() == QEvent::Resize) {
        refit();
      }
    }
    return false;
  }

 private:
  void refit() {
    if (givenPointSize_ <= 0) return;  // a pixel-sized font is left alone
    QFont font = label_->font();
    font.setPointSizeF(givenPointSize_);
    font.setPointSizeF(fittingPointSize(font, label_->text(), label_->contentsRect().width()));
    if (font.pointSizeF() == label_->font().pointSizeF()) return;
    refitting_ = true;
    label_->setFont(font);
    refitting_ = false;
  }

  QLabel* label_;
  double givenPointSize_ = 0;
  bool refitting_ = false;
};

}  // namespace

double fittingPointSize(QFont font, const QString& text, int width) {
  // The step and the floor are sizes like any other: they scale with the
  // density, so the text gives way in the same pixels at every density.
  const double step = twips::scaledX(kStep);
  const double smallest = twips::scaledX(kSmallestFittedPointSize);
  double size = font.pointSizeF();
  // Half a step of slack: scaled sizes are not exact in binary.
  while (size - step > smallest - step / 2 &&
         QFontMetricsF(font).horizontalAdvance(text) > width) {
    size -= step;
    font.setPointSizeF(size);
  }
  return size;
}

void keepTextFitting(QLabel* label) { new TextFitter(label); }
