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

QImage hand()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QPainterPath shape;
    shape.addRoundedRect(QRectF(9, 0.5, 5.2, 18), 2.6, 2.6);   // pointing finger
    shape.addRoundedRect(QRectF(13.6, 8.5, 4.8, 12), 2.4, 2.4);
    shape.addRoundedRect(QRectF(17.8, 9.5, 4.8, 11), 2.4, 2.4);
    shape.addRoundedRect(QRectF(22, 11, 4.6, 10), 2.3, 2.3);
    shape.addRoundedRect(QRectF(9, 14, 17.6, 14.5), 5, 5);     // palm
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-2.4, -7.5, 4.8, 11), 2.4, 2.4);
    shape = shape.united(QTransform().translate(7.5, 20.5).rotate(-38).map(thumb));
    shape = shape.simplified();

    p.setPen(QPen(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(shape);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.0, Qt::SolidLine, Qt::RoundCap));
    for (qreal x : {13.9, 18.1, 22.3})
        p.drawLine(QPointF(x, 12.5), QPointF(x, 18));
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
