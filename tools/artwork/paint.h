#pragma once
// Drawing helpers shared by every window picture.
#include "icons.h"
#include "scene.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

QFont uiFont(qreal pixelSize, bool bold = false);

// Text squeezed horizontally when it would not fit its box, so labels never
// spill over the controls next to them. "&" marks an underlined letter.
void drawText(QPainter &p, const QRectF &box, int flags, const QString &text, const QFont &font,
              const QColor &color);

void fillGradient(QPainter &p, const QRectF &box, const QColor &top, const QColor &bottom,
                  qreal radius = 0);

// The dark band that holds a window's title (and, in the main window, its
// menu line and toolbar).
void drawChrome(QPainter &p, const QRectF &band);
void drawTitle(QPainter &p, QPointF origin, Icon icon, const QString &title, qreal size);
void drawWindowEdge(QPainter &p, const QRect &shape, int radius);

// A white rounded panel with a soft drop shadow.
void drawCard(QPainter &p, const QRectF &box);

// The frame of an edit box or list that a control covers exactly: only the
// one-pixel border around `control` shows.
void drawFieldFrame(QPainter &p, const QRect &control);

struct ButtonStyle {
    QColor top;
    QColor bottom;
    QColor edge;
    QColor text;
    qreal radius;
    qreal textSize;
};
extern const ButtonStyle kActionButton;  // crimson: Convert, Send, OK, the guide's add button
extern const ButtonStyle kPlainButton;   // slate: Back, the folder button

// Every raised push-button face: gradient, edge, optional icon and label.
void drawButton(QPainter &p, const QRect &face, const ButtonStyle &style, Look look,
                const QString &label, Icon icon = Icon::None, qreal iconSize = 0);

// Faces on the dark chrome (menu words, toolbar buttons, title-bar marks)
// are flat and only get a soft tile when lit.
void drawChromeTile(QPainter &p, const QRectF &box, Look look, const QColor &litFill);

enum class Mark { Help, Minimise, Close };
void drawTitleMark(QPainter &p, const QRect &box, Mark mark, Look look);
