#pragma once
#include <QFont>
#include <QString>

class QLabel;

// The largest point size, from the font's own down in quarter points to
// kSmallestFittedPointSize, at which `text` is at most `width` pixels wide.
// Both are points at 15 twips per pixel, scaled with the density.
// The skin's labels are drawn for Tahoma; the faces found here are wider.
inline constexpr double kSmallestFittedPointSize = 6.0;
double fittingPointSize(QFont font, const QString& text, int width);

// Keeps the label's text within its width: whenever the label is given a
// font or a new size, its point size steps down from the size it was given
// until the text fits. Meant for one-line labels whose text is set once or
// only ever gets shorter.
void keepTextFitting(QLabel* label);
