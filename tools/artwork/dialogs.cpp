// The options and feedback windows: a title band, labelled fields and a dark
// footer holding the two buttons. Both footers start eight pixels above their
// buttons so that the Back button's lit picture fits either window.
#include "geometry.h"
#include "paint.h"
#include "palette.h"
#include "pictures.h"

#include <QLinearGradient>
#include <array>

namespace {

const QSize kPicture(330, 180);
constexpr int kCorner = 8;
constexpr int kFooterAboveButtons = 8;

struct Dialog {
    QRect client;
    const char *title;
    Icon icon;
    QRect firstButton;
    QRect back;
};

void drawFooter(QPainter &p, const QRect &client, int top)
{
    QLinearGradient g(0, top, 0, top + 34);
    g.setColorAt(0, palette::chromeTop);
    g.setColorAt(1, palette::chromeBottom);
    p.fillRect(QRect(0, top, client.width(), client.bottom() + 1 - top), g);
    p.setPen(QPen(palette::chromeLine, 1));
    p.drawLine(QPointF(0, top + 0.5), QPointF(client.width(), top + 0.5));
}

void drawFrame(QPainter &p, const Dialog &d)
{
    fillGradient(p, d.client, palette::bodyTop, palette::bodyBottom);
    drawChrome(p, QRectF(0, 0, d.client.width(), 30));
    drawTitle(p, QPointF(9, 5), d.icon, QString::fromLatin1(d.title), 13);
    drawFooter(p, d.client, d.back.top() - kFooterAboveButtons);
}

void drawRowLabel(QPainter &p, const QRect &control, int right, const QString &text)
{
    drawText(p, QRectF(8, control.top(), right - 8, control.height()), Qt::AlignRight | Qt::AlignVCenter, text,
             uiFont(11, true), palette::label);
}

void drawUnit(QPainter &p, const QRect &box, const QString &unit)
{
    drawText(p, QRectF(box.right() + 4, box.top(), 30, box.height()), Qt::AlignLeft | Qt::AlignVCenter, unit,
             uiFont(11), palette::text);
}

struct Buttons {
    int exit;
    int first;
    int back;
};

Buttons addButtons(Scene &scene, const Dialog &d, const QString &firstLabel)
{
    Buttons b{};
    b.exit = scene.addFace(pictureAt(4495, 165, 14, 13),
                           [](QPainter &p, const QRect &r, Look l) { drawTitleMark(p, r, Mark::Close, l); });
    b.first = scene.addFace(d.firstButton, [firstLabel](QPainter &p, const QRect &r, Look l) {
        drawButton(p, r, kActionButton, l, firstLabel);
    });
    b.back = scene.addFace(d.back, [](QPainter &p, const QRect &r, Look l) {
        drawButton(p, r, kPlainButton, l, QStringLiteral("Back"));
    });
    return b;
}

// Options window controls, in twips.
const QRect kSound = twipsRect(1800, 540, 1440, 330);
const QRect kCutter = twipsRect(1800, 945, 195, 195);
const std::array<double, 3> kTimeLefts{1440, 2475, 3510};
const std::array<const char *, 3> kUnits{"Hour", "Min", "Sec"};
constexpr double kFromTop = 1290;
constexpr double kDurationTop = 1650;

const Dialog kOptions{QRect(0, 0, 324, 172), "Options", Icon::Options, pictureAt(2490, 2190, 58, 18),
                      pictureAt(3690, 2190, 58, 18)};

void drawTimeRow(QPainter &p, double top, const QString &label)
{
    const QRect first = twipsRect(kTimeLefts[0], top, 450, 300);
    drawRowLabel(p, first, first.left() - 8, label);
    for (std::size_t i = 0; i < kTimeLefts.size(); ++i) {
        const QRect box = twipsRect(kTimeLefts[i], top, 450, 300);
        drawFieldFrame(p, box);
        drawUnit(p, box, QString::fromLatin1(kUnits[i]));
    }
}

void drawOptionsBackground(QPainter &p)
{
    drawFrame(p, kOptions);
    drawRowLabel(p, kSound, kSound.left() - 8, QStringLiteral("Sound Reminder:"));
    drawFieldFrame(p, kSound);
    drawText(p, QRectF(kSound.right() + 8, kSound.top(), 100, kSound.height()), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("chime when done"), uiFont(10), palette::muted);

    drawRowLabel(p, kCutter.adjusted(0, -3, 0, 3), kCutter.left() - 8, QStringLiteral("Video Cutter:"));
    p.save();
    p.setPen(palette::fieldEdge);
    p.setBrush(palette::card);
    p.drawRoundedRect(QRectF(kCutter).adjusted(-0.5, -0.5, 0.5, 0.5), 2, 2);
    p.restore();
    drawText(p, QRectF(kCutter.right() + 7, kCutter.top() - 3, 180, kCutter.height() + 6),
             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Convert only a part of each file"), uiFont(10),
             palette::muted);

    drawTimeRow(p, kFromTop, QStringLiteral("From:"));
    drawTimeRow(p, kDurationTop, QStringLiteral("Duration:"));
    drawWindowEdge(p, kOptions.client, kCorner);
}

// Feedback window controls, in twips.
const std::array<std::pair<const char *, QRect>, 3> kFeedbackFields{{
    {"Your Name:", twipsRect(1650, 750, 2115, 315)},
    {"Your Email:", twipsRect(1650, 1140, 2115, 315)},
    {"Comment:", twipsRect(1650, 1530, 2835, 315)},
}};

const Dialog kFeedback{QRect(0, 0, 326, 174), "Feedback", Icon::Feedback, pictureAt(2490, 2040, 58, 18),
                       pictureAt(3690, 2040, 58, 18)};

void drawFeedbackBackground(QPainter &p)
{
    drawFrame(p, kFeedback);
    drawText(p, QRectF(16, 33, 300, 15), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Tell us what you think of Dabrelin."), uiFont(10), palette::muted);
    for (const auto &[label, box] : kFeedbackFields) {
        drawRowLabel(p, box, box.left() - 8, QString::fromLatin1(label));
        drawFieldFrame(p, box);
    }
    drawWindowEdge(p, kFeedback.client, kCorner);
}

} // namespace

void drawOptionsWindow(Output &out)
{
    Scene scene(kPicture, kOptions.client, kCorner, drawOptionsBackground);
    const Buttons b = addButtons(scene, kOptions, QStringLiteral("OK"));
    out.picture(QStringLiteral("options.png"), scene.render());
    out.picture(QStringLiteral("options_exit_light.png"), scene.twin(b.exit, Look::Lit));
    out.picture(QStringLiteral("ok_light.png"), scene.twin(b.first, Look::Lit));
    out.picture(QStringLiteral("back_light.png"), scene.twin(b.back, Look::Lit));
}

void drawFeedbackWindow(Output &out)
{
    Scene scene(kPicture, kFeedback.client, kCorner, drawFeedbackBackground);
    const Buttons b = addButtons(scene, kFeedback, QStringLiteral("Send"));
    out.picture(QStringLiteral("suggest.png"), scene.render());
    out.picture(QStringLiteral("suggest_exit_light.png"), scene.twin(b.exit, Look::Lit));
    out.picture(QStringLiteral("send_light.png"), scene.twin(b.first, Look::Lit));
}
