// The getting-started panel that covers the list and the settings until the
// first file is added, with its large add button.
#include "geometry.h"
#include "paint.h"
#include "palette.h"
#include "pictures.h"

#include <array>

namespace {

const QSize kPanel(674, 350);

struct Step {
    const char *title;
    const char *text;
    Icon icon;
};
const std::array<Step, 3> kSteps{{
    {"Add your media files",
     "Click Add File(s) to add a media file, or Add Folder to add every media file of a folder. "
     "You can also drop files onto this panel.",
     Icon::AddFile},
    {"Choose the output settings",
     "Set the output format, bitrate, sample rate, channels and the output folder on the right of the list.",
     Icon::Options},
    {"Start converting",
     "Click the Convert button. The audio files are written to the output folder.", Icon::Note},
}};

void drawStep(QPainter &p, int number, const Step &step, qreal top)
{
    const QRectF disc(34, top + 2, 28, 28);
    fillGradient(p, disc, palette::accentLight, palette::accent, 14);
    drawText(p, disc, Qt::AlignCenter, QString::number(number), uiFont(15, true), Qt::white);

    drawText(p, QRectF(78, top, 470, 20), Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(step.title),
             uiFont(14, true), palette::text);
    p.save();
    p.setFont(uiFont(12));
    p.setPen(palette::muted);
    p.drawText(QRectF(78, top + 21, 480, 34), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               QString::fromLatin1(step.text));
    p.restore();

    const QRectF tile(596, top + 2, 40, 40);
    if (step.icon == Icon::Note)
        fillGradient(p, tile, palette::actionLight, palette::action, 9);
    else
        fillGradient(p, tile, QColor(0x3b, 0x4c, 0x66), palette::chromeBottom, 9);
    drawIcon(p, step.icon, tile.adjusted(7, 7, -7, -7));
}

void drawPanel(QPainter &p)
{
    const QRectF all(0, 0, kPanel.width(), kPanel.height());
    fillGradient(p, all, QColor(0xfb, 0xfc, 0xfe), QColor(0xe9, 0xee, 0xf5));
    p.save();
    p.setPen(QPen(palette::cardEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();

    drawIcon(p, Icon::Logo, QRectF(30, 20, 34, 34));
    drawText(p, QRectF(76, 16, 500, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Getting Started"),
             uiFont(22, true), palette::text);
    drawText(p, QRectF(77, 42, 560, 18), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Turn any video or audio file into an audio file in three steps."), uiFont(12),
             palette::muted);
    p.save();
    p.setPen(QPen(palette::cardEdge, 1));
    p.drawLine(QPointF(30, 72.5), QPointF(644, 72.5));
    p.restore();

    for (std::size_t i = 0; i < kSteps.size(); ++i)
        drawStep(p, static_cast<int>(i) + 1, kSteps[i], 88 + 64 * i);

    drawText(p, QRectF(0, 323, kPanel.width(), 16), Qt::AlignCenter,
             QStringLiteral("or drop files anywhere on this panel"), uiFont(10), palette::muted);
}

} // namespace

void drawDoorPanel(Output &out)
{
    Scene scene(kPanel, QRect(QPoint(0, 0), kPanel), 0, drawPanel);
    ButtonStyle style = kActionButton;
    style.textSize = 14;
    style.radius = 6;
    const int button = scene.addFace(pictureAt(2910, 4360, 266, 29), [style](QPainter &p, const QRect &r, Look l) {
        drawButton(p, r, style, l, QStringLiteral("Add a Media File"), Icon::Plus, 15);
    });
    out.picture(QStringLiteral("door.png"), scene.render());
    out.picture(QStringLiteral("door_button_data.png"), scene.twin(button, Look::Lit));
}
