#include "icons.h"

#include "palette.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QtMath>

namespace {

QBrush vertical(const QColor &top, const QColor &bottom, qreal y0, qreal y1)
{
    QLinearGradient g(0, y0, 0, y1);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

void sheet(QPainter &p)
{
    QPainterPath page;
    page.moveTo(4, 2);
    page.lineTo(13, 2);
    page.lineTo(19, 8);
    page.lineTo(19, 21);
    page.lineTo(4, 21);
    page.closeSubpath();
    p.setPen(QPen(QColor(0x8c, 0x9c, 0xb3), 1));
    p.setBrush(vertical(QColor(0xff, 0xff, 0xff), QColor(0xdc, 0xe4, 0xee), 2, 21));
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(13, 2);
    fold.lineTo(13, 8);
    fold.lineTo(19, 8);
    p.setBrush(QColor(0xc4, 0xcf, 0xdd));
    p.drawPath(fold);
    p.setPen(QPen(QColor(0xa9, 0xb6, 0xc8), 1.2));
    for (qreal y : {11.5, 14.5})
        p.drawLine(QPointF(7, y), QPointF(14, y));
}

void folder(QPainter &p)
{
    QPainterPath back;
    back.moveTo(2, 5);
    back.lineTo(9, 5);
    back.lineTo(11, 7.5);
    back.lineTo(21, 7.5);
    back.lineTo(21, 19);
    back.lineTo(2, 19);
    back.closeSubpath();
    p.setPen(QPen(QColor(0xb5, 0x7a, 0x12), 1));
    p.setBrush(QColor(0xe0, 0x9a, 0x26));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(2, 19);
    front.lineTo(4.5, 10);
    front.lineTo(23, 10);
    front.lineTo(20.5, 19);
    front.closeSubpath();
    p.setBrush(vertical(QColor(0xff, 0xd3, 0x6e), palette::amber, 10, 19));
    p.drawPath(front);
}

// A round badge in the lower right corner with a plus or a minus.
void badge(QPainter &p, const QColor &fill, bool plus)
{
    p.setPen(QPen(QColor(255, 255, 255), 1.3));
    p.setBrush(fill);
    p.drawEllipse(QPointF(17.5, 17.5), 5.8, 5.8);
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.8, 17.5), QPointF(20.2, 17.5));
    if (plus)
        p.drawLine(QPointF(17.5, 14.8), QPointF(17.5, 20.2));
}

void gear(QPainter &p)
{
    QPainterPath path;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a0 = (i - 0.5) * M_PI / teeth;
        const qreal a1 = (i + 0.5) * M_PI / teeth;
        const qreal r = i % 2 == 0 ? 10.5 : 7.8;
        const QPointF pa(12 + r * qCos(a0 + 0.06), 12 + r * qSin(a0 + 0.06));
        const QPointF pb(12 + r * qCos(a1 - 0.06), 12 + r * qSin(a1 - 0.06));
        if (i == 0)
            path.moveTo(pa);
        else
            path.lineTo(pa);
        path.lineTo(pb);
    }
    path.closeSubpath();
    path.addEllipse(QPointF(12, 12), 3.4, 3.4);
    p.setPen(QPen(QColor(0x6a, 0x7c, 0x96), 1));
    p.setBrush(vertical(QColor(0xe8, 0xee, 0xf6), QColor(0xa9, 0xb8, 0xcc), 2, 22));
    p.drawPath(path);
}

void roundSign(QPainter &p, const QColor &top, const QColor &bottom)
{
    p.setPen(QPen(bottom.darker(130), 1));
    p.setBrush(vertical(top, bottom, 2, 22));
    p.drawEllipse(QPointF(12, 12), 10, 10);
}

void help(QPainter &p)
{
    roundSign(p, palette::accentLight, palette::accent);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(2, 2.5, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
}

void power(QPainter &p)
{
    roundSign(p, QColor(0xf4, 0x7d, 0x72), palette::action);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6.5, 7, 11, 11), 60 * 16, -300 * 16);
    p.drawLine(QPointF(12, 5.5), QPointF(12, 11.5));
}

void logo(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(palette::actionLight, palette::actionDark, 1, 23));
    p.drawRoundedRect(QRectF(1, 1, 22, 22), 6, 6);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    const qreal heights[] = {4, 9, 13, 7, 10};
    for (int i = 0; i < 5; ++i) {
        const qreal x = 5.5 + i * 3.25;
        p.drawLine(QPointF(x, 12 - heights[i] / 2), QPointF(x, 12 + heights[i] / 2));
    }
}

void note(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.save();
    p.translate(7.5, 18.5);
    p.rotate(-22);
    p.drawEllipse(QPointF(0, 0), 4.3, 3.1);
    p.restore();
    p.save();
    p.translate(17.5, 16);
    p.rotate(-22);
    p.drawEllipse(QPointF(0, 0), 4.3, 3.1);
    p.restore();
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(11.2, 17.5), QPointF(11.2, 4.5));
    p.drawLine(QPointF(21.2, 15), QPointF(21.2, 2.5));
    QPainterPath beam;
    beam.moveTo(10.2, 3.8);
    beam.lineTo(22.2, 1.3);
    beam.lineTo(22.2, 5.3);
    beam.lineTo(10.2, 7.8);
    beam.closeSubpath();
    p.setPen(Qt::NoPen);
    p.drawPath(beam);
}

void bubble(QPainter &p)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(2, 3, 20, 14), 5, 5);
    QPainterPath tail;
    tail.moveTo(6, 15);
    tail.lineTo(5, 22);
    tail.lineTo(12, 16);
    tail.closeSubpath();
    path = path.united(tail);
    p.setPen(QPen(palette::accentDark, 1));
    p.setBrush(vertical(palette::accentLight, palette::accent, 3, 20));
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (qreal x : {7.5, 12.0, 16.5})
        p.drawEllipse(QPointF(x, 10), 1.6, 1.6);
}

void plus(QPainter &p)
{
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(12, 4), QPointF(12, 20));
    p.drawLine(QPointF(4, 12), QPointF(20, 12));
}

} // namespace

void drawIcon(QPainter &p, Icon icon, const QRectF &box)
{
    if (icon == Icon::None)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.topLeft());
    p.scale(box.width() / 24.0, box.height() / 24.0);
    switch (icon) {
    case Icon::None:
        break;
    case Icon::Logo:
        logo(p);
        break;
    case Icon::AddFile:
        sheet(p);
        badge(p, palette::green, true);
        break;
    case Icon::AddFolder:
        folder(p);
        badge(p, palette::green, true);
        break;
    case Icon::Remove:
        sheet(p);
        badge(p, palette::red, false);
        break;
    case Icon::Options:
        gear(p);
        break;
    case Icon::Help:
        help(p);
        break;
    case Icon::Exit:
        power(p);
        break;
    case Icon::Folder:
        folder(p);
        break;
    case Icon::Note:
        note(p);
        break;
    case Icon::Feedback:
        bubble(p);
        break;
    case Icon::Plus:
        plus(p);
        break;
    }
    p.restore();
}
