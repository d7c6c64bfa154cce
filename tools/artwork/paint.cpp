#include "paint.h"

#include "palette.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

QFont uiFont(qreal pixelSize, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

void drawText(QPainter &p, const QRectF &box, int flags, const QString &text, const QFont &font,
              const QColor &color)
{
    QString shown = text;
    shown.remove(QLatin1Char('&'));
    const qreal width = QFontMetricsF(font).horizontalAdvance(shown);
    const qreal squeeze = width > box.width() ? box.width() / width : 1.0;

    p.save();
    p.setFont(font);
    p.setPen(color);
    p.translate(box.left(), box.top());
    p.scale(squeeze, 1.0);
    p.drawText(QRectF(0, 0, box.width() / squeeze, box.height()), flags | Qt::TextShowMnemonic, text);
    p.restore();
}

void fillGradient(QPainter &p, const QRectF &box, const QColor &top, const QColor &bottom, qreal radius)
{
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(box, radius, radius);
    p.restore();
}

void drawChrome(QPainter &p, const QRectF &band)
{
    fillGradient(p, band, palette::chromeTop, palette::chromeBottom);
    p.save();
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    p.drawLine(QPointF(band.left(), band.top() + 0.5), QPointF(band.right(), band.top() + 0.5));
    p.setPen(QPen(palette::chromeLine, 1));
    p.drawLine(QPointF(band.left(), band.bottom() - 0.5), QPointF(band.right(), band.bottom() - 0.5));
    p.restore();
}

void drawTitle(QPainter &p, QPointF origin, Icon icon, const QString &title, qreal size)
{
    drawIcon(p, icon, QRectF(origin, QSizeF(size + 4, size + 4)));
    const QFont font = uiFont(size, true);
    drawText(p, QRectF(origin.x() + size + 10, origin.y() - 2, 300, size + 8),
             Qt::AlignLeft | Qt::AlignVCenter, title, font, palette::chromeText);
}

void drawWindowEdge(QPainter &p, const QRect &shape, int radius)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette::chromeLine, 1.5));
    p.drawRoundedRect(QRectF(shape).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

void drawCard(QPainter &p, const QRectF &box)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 1; --i) {
        QColor c = palette::shadow;
        c.setAlpha(18 * (4 - i));
        p.setBrush(c);
        p.drawRoundedRect(box.adjusted(-i + 1, -i + 2, i - 1, i), 7 + i, 7 + i);
    }
    p.setBrush(palette::card);
    p.setPen(QPen(palette::cardEdge, 1));
    p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 7, 7);
    p.restore();
}

void drawFieldFrame(QPainter &p, const QRect &control)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(palette::fieldEdge);
    p.setBrush(palette::card);
    p.drawRect(control.adjusted(-1, -1, 0, 0));
    p.restore();
}

const ButtonStyle kActionButton{palette::actionLight, palette::action, palette::actionDark, Qt::white, 5, 12};
const ButtonStyle kPlainButton{QColor(0x6b, 0x7f, 0x9c), QColor(0x4a, 0x5b, 0x75), QColor(0x2c, 0x38, 0x4b),
                               Qt::white, 4, 12};

void drawButton(QPainter &p, const QRect &face, const ButtonStyle &style, Look look, const QString &label,
                Icon icon, qreal iconSize)
{
    QColor top = style.top;
    QColor bottom = style.bottom;
    if (look == Look::Lit) {
        top = top.lighter(110);
        bottom = bottom.lighter(116);
    } else if (look == Look::Pressed) {
        std::swap(top, bottom);
        top = top.darker(112);
        bottom = bottom.darker(105);
    }
    const QRectF box = QRectF(face).adjusted(0.5, 0.5, -0.5, -0.5);
    fillGradient(p, box, top, bottom, style.radius);

    p.save();
    p.setBrush(Qt::NoBrush);
    if (look != Look::Pressed) {
        // A thin highlight along the top edge gives the face its raised look.
        QPainterPath gloss;
        gloss.addRoundedRect(box.adjusted(1, 1, -1, -box.height() / 2), style.radius - 1, style.radius - 1);
        p.fillPath(gloss, QColor(255, 255, 255, look == Look::Lit ? 52 : 36));
    }
    p.setPen(QPen(look == Look::Lit ? style.edge.lighter(130) : style.edge, 1));
    p.drawRoundedRect(box, style.radius, style.radius);
    if (look == Look::Lit) {
        p.setPen(QPen(QColor(255, 255, 255, 110), 1));
        p.drawRoundedRect(box.adjusted(1, 1, -1, -1), style.radius - 1, style.radius - 1);
    }
    p.restore();

    const QPointF shift = look == Look::Pressed ? QPointF(1, 1) : QPointF(0, 0);
    const QFont font = uiFont(style.textSize, true);
    const qreal textWidth = label.isEmpty() ? 0 : QFontMetricsF(font).horizontalAdvance(label);
    const qreal gap = icon != Icon::None && !label.isEmpty() ? iconSize * 0.35 : 0;
    const qreal iconWidth = icon != Icon::None ? iconSize : 0;
    const qreal total = std::min<qreal>(iconWidth + gap + textWidth, face.width() - 6);
    qreal x = face.left() + (face.width() - total) / 2 + shift.x();
    if (icon != Icon::None) {
        drawIcon(p, icon, QRectF(x, face.top() + (face.height() - iconSize) / 2 + shift.y(), iconSize, iconSize));
        x += iconWidth + gap;
    }
    if (!label.isEmpty()) {
        const QRectF textBox(x, face.top() + shift.y(), face.right() + 1 - x - 3, face.height());
        QColor halo(0, 0, 0, 60);
        drawText(p, textBox.translated(0, 1), Qt::AlignLeft | Qt::AlignVCenter, label, font, halo);
        drawText(p, textBox, Qt::AlignLeft | Qt::AlignVCenter, label, font, style.text);
    }
}

void drawChromeTile(QPainter &p, const QRectF &box, Look look, const QColor &litFill)
{
    if (look == Look::Normal)
        return;
    const QRectF tile = box.adjusted(0.5, 0.5, -0.5, -0.5);
    QColor top = litFill.lighter(look == Look::Lit ? 125 : 90);
    QColor bottom = litFill.darker(look == Look::Lit ? 105 : 120);
    fillGradient(p, tile, top, bottom, 4);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(palette::chromeHoverEdge, 1));
    p.drawRoundedRect(tile, 4, 4);
    p.restore();
}

void drawTitleMark(QPainter &p, const QRect &box, Mark mark, Look look)
{
    const QColor fill = mark == Mark::Close ? palette::red : palette::chromeHover;
    if (look != Look::Normal) {
        p.save();
        p.setPen(Qt::NoPen);
        p.setBrush(look == Look::Lit ? fill : fill.darker(120));
        p.drawRoundedRect(QRectF(box), 3, 3);
        p.restore();
    }
    const QColor ink = look == Look::Normal ? palette::chromeMuted : QColor(Qt::white);
    const QRectF b(box);
    const QPointF c = b.center();
    p.save();
    p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
    switch (mark) {
    case Mark::Close: {
        const qreal r = std::min(b.width(), b.height()) / 2 - 3.2;
        p.drawLine(c + QPointF(-r, -r), c + QPointF(r, r));
        p.drawLine(c + QPointF(-r, r), c + QPointF(r, -r));
        break;
    }
    case Mark::Minimise:
        p.drawLine(QPointF(b.left() + 3.5, c.y() + 2.5), QPointF(b.right() - 2.5, c.y() + 2.5));
        break;
    case Mark::Help:
        drawText(p, b, Qt::AlignCenter, QStringLiteral("?"), uiFont(b.height() - 4, true), ink);
        break;
    }
    p.restore();
}
