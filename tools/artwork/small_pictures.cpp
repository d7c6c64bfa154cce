// The progress bar face, the drop-down arrows and the hand cursor.
#include "paint.h"
#include "palette.h"
#include "pictures.h"

#include <QPainterPath>

namespace {

// One pixel wide: the window stretches it along the bar.
QImage progressFace()
{
    QImage face(1, 15, QImage::Format_RGB32);
    const QColor stops[] = {
        QColor(0x9d, 0xd2, 0xff), QColor(0x6c, 0xb8, 0xf7), QColor(0x58, 0xaa, 0xf2), QColor(0x4b, 0xa0, 0xee),
        QColor(0x40, 0x96, 0xe8), QColor(0x37, 0x8c, 0xe2), QColor(0x2a, 0x7f, 0xd8), QColor(0x22, 0x77, 0xd1),
        QColor(0x1f, 0x72, 0xcb), QColor(0x1d, 0x6d, 0xc4), QColor(0x1b, 0x68, 0xbd), QColor(0x19, 0x63, 0xb5),
        QColor(0x17, 0x5e, 0xad), QColor(0x15, 0x59, 0xa5), QColor(0x12, 0x4e, 0x93),
    };
    for (int y = 0; y < face.height(); ++y)
        face.setPixel(0, y, stops[y].rgb());
    return face;
}

// The arrow lies over the right end of a white drop-down list.
QImage arrow(const ButtonStyle &style, Look look)
{
    QImage image(18, 18, QImage::Format_RGB32);
    image.fill(palette::card);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawButton(p, QRect(0, 0, 18, 18), style, look, QString());
    p.setPen(QPen(style.text, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath chevron;
    chevron.moveTo(5.5, 7.5);
    chevron.lineTo(9, 11);
    chevron.lineTo(12.5, 7.5);
    p.drawPath(chevron);
    return image;
}

const ButtonStyle kArrowNormal{QColor(0xf4, 0xf7, 0xfb), QColor(0xd9, 0xe1, 0xeb), palette::fieldEdge,
                               palette::label, 3, 12};
const ButtonStyle kArrowLit{palette::accentLight, palette::accent, palette::accentDark, Qt::white, 3, 12};

QPainterPath roundedBar(const QRectF &box)
{
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    const qreal r = std::min(box.width(), box.height()) / 2;
    path.addRoundedRect(box, r, r);
    return path;
}

QImage hand()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The pointing finger's tip is the hotspot.
    const QRectF pointer(kHandHotspotX - 2.3, kHandHotspotY, 5.6, 17);
    const QRectF fingers[] = {QRectF(13.9, 9, 5, 11), QRectF(18.3, 10.2, 5, 10), QRectF(22.7, 12, 4.6, 9)};
    QPainterPath shape = roundedBar(pointer);
    for (const QRectF &f : fingers)
        shape = shape.united(roundedBar(f));
    QPainterPath palm;
    palm.addRoundedRect(QRectF(8.8, 15, 18.5, 14.5), 5.5, 5.5);
    shape = shape.united(palm);
    shape = shape.united(QTransform().translate(9.6, 22.5).rotate(-42).map(roundedBar(QRectF(-2.6, -10, 5.2, 11))));

    p.setPen(QPen(Qt::black, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(shape);
    p.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::RoundCap));
    for (const QRectF &f : fingers)
        p.drawLine(QPointF(f.left(), f.top() + 3.5), QPointF(f.left(), f.top() + 8));
    return image;
}

} // namespace

void drawSmallPictures(Output &out)
{
    out.picture(QStringLiteral("progress.png"), progressFace());
    out.picture(QStringLiteral("arrow.png"), arrow(kArrowNormal, Look::Normal));
    out.picture(QStringLiteral("arrow_light.png"), arrow(kArrowLit, Look::Normal));
    out.pictureWithAlpha(QStringLiteral("hand.png"), hand());
}
