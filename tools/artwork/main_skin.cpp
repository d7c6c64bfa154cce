// The main window: title bar, menu line, toolbar, the file list and the
// conversion settings, the Convert button, the progress trough and the footer.
#include "geometry.h"
#include "paint.h"
#include "palette.h"
#include "pictures.h"

#include <array>

namespace {

const QSize kPicture(700, 500);
const QRect kClient(0, 0, 696, 495);
constexpr int kCorner = 9;
constexpr qreal kChromeBottom = 112;

const QRectF kQueueCard(9, 132, 470, 334);
const QRectF kSettingsCard(484, 132, 203, 334);

const QRect kList = twipsRect(255, 2400, 6825, 4110);
const QRect kProgress = twipsRect(1700, 6700, 5415, 195);
const QRect kPath = twipsRect(7320, 4950, 2145, 345);
const QRect kFeedbackLink = twipsRect(9420, 7155, 690, 195);

struct Setting {
    const char *label;
    double top; // twips
};
// The four drop-down lists, then the output folder box.
const std::array<Setting, 4> kLists{{
    {"Output Format", 2370},
    {"Bitrate (kbit/s)", 3000},
    {"Sample Rate (Hz)", 3660},
    {"Channels", 4290},
}};

struct ToolButton {
    int index;
    double left; // twips
    const char *label;
    Icon icon;
};
const std::array<ToolButton, 6> kToolbar{{
    {0, 240, "Add File(s)", Icon::AddFile},
    {6, 1540, "Add Folder", Icon::AddFolder},
    {1, 2845, "Remove", Icon::Remove},
    {2, 4150, "Options", Icon::Options},
    {3, 5455, "Help", Icon::Help},
    {4, 6760, "Exit", Icon::Exit},
}};

struct MenuWord {
    const char *text;
    QRect place;
};
const std::array<MenuWord, 3> kMenu{{
    {"File(&F)", pictureAt(270, 470, 40, 15)},
    {"Options(&O)", pictureAt(900, 470, 59, 15)},
    {"About(&A)", pictureAt(1830, 470, 51, 15)},
}};

void drawSettingLabel(QPainter &p, const QString &text, int controlTop)
{
    drawText(p, QRectF(490, controlTop - 17, 188, 15), Qt::AlignLeft | Qt::AlignVCenter, text,
             uiFont(11, true), palette::label);
}

void drawTagline(QPainter &p)
{
    const QRectF box(545, 60, 137, 44);
    drawText(p, QRectF(box.left(), box.top(), box.width(), 22), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("Media to Audio"), uiFont(15, true), palette::chromeText);
    drawText(p, QRectF(box.left(), box.top() + 22, box.width(), 18), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("Converter"), uiFont(12), palette::chromeMuted);
}

void drawQueueCard(QPainter &p)
{
    drawCard(p, kQueueCard);
    drawText(p, QRectF(18, 138, 200, 18), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Files to Convert"),
             uiFont(12, true), palette::text);
    drawText(p, QRectF(230, 138, 242, 18), Qt::AlignRight | Qt::AlignVCenter,
             QStringLiteral("Drop media files onto the list"), uiFont(10), palette::muted);
    drawFieldFrame(p, kList);

    drawText(p, QRectF(18, kProgress.top() - 1, 90, 15), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Progress"), uiFont(11, true), palette::label);
    p.save();
    p.setPen(QPen(palette::fieldEdge, 1));
    p.setBrush(QColor(0xe4, 0xe9, 0xf0));
    p.drawRoundedRect(QRectF(kProgress).adjusted(-1.5, -1.5, 1.5, 1.5), 3, 3);
    p.restore();
}

void drawSettingsCard(QPainter &p)
{
    drawCard(p, kSettingsCard);
    for (const Setting &s : kLists) {
        const QRect list = twipsRect(7320, s.top, 2835, 330);
        drawSettingLabel(p, QString::fromLatin1(s.label), list.top());
        drawFieldFrame(p, list);
    }
    drawSettingLabel(p, QStringLiteral("Output Folder"), kPath.top());
    drawFieldFrame(p, kPath);
}

void drawFooter(QPainter &p)
{
    p.save();
    p.setPen(QPen(palette::cardEdge, 1));
    p.drawLine(QPointF(12, 471.5), QPointF(684, 471.5));
    p.restore();
    drawText(p, QRectF(232, 476, 370, 15), Qt::AlignCenter,
             QStringLiteral("MP3 \u00b7 WMA \u00b7 OGG \u00b7 WAV \u00b7 FLAC \u00b7 AC3 \u00b7 AAC \u00b7 AMR"),
             uiFont(10), palette::muted);
    drawIcon(p, Icon::Feedback, QRectF(kFeedbackLink.left() - 17, kFeedbackLink.top() - 1, 15, 15));
}

void drawBackground(QPainter &p)
{
    fillGradient(p, kClient, palette::bodyTop, palette::bodyBottom);
    drawChrome(p, QRectF(0, 0, kClient.width(), kChromeBottom));
    drawTitle(p, QPointF(10, 5), Icon::Logo, QStringLiteral("Dabrelin"), 15);
    drawTagline(p);
    drawQueueCard(p);
    drawSettingsCard(p);
    drawFooter(p);
    drawWindowEdge(p, kClient, kCorner);
}

void paintMenuWord(QPainter &p, const QRect &r, Look look, const QString &text)
{
    drawChromeTile(p, r, look, palette::chromeHover);
    drawText(p, QRectF(r).adjusted(1, 0, -1, 0), Qt::AlignCenter, text, uiFont(11),
             look == Look::Normal ? palette::chromeText.darker(106) : QColor(Qt::white));
}

void paintToolButton(QPainter &p, const QRect &r, Look look, const ToolButton &b)
{
    drawChromeTile(p, QRectF(r).adjusted(2, 0, -2, 0), look, palette::chromeHover);
    drawIcon(p, b.icon, QRectF(r.left() + (r.width() - 28) / 2.0, r.top() + 5, 28, 28));
    drawText(p, QRectF(r.left() + 3, r.top() + 35, r.width() - 6, 15), Qt::AlignCenter,
             QString::fromLatin1(b.label), uiFont(11), look == Look::Normal ? palette::chromeText : QColor(Qt::white));
}

ButtonStyle convertStyle()
{
    ButtonStyle s = kActionButton;
    s.radius = 9;
    s.textSize = 22;
    return s;
}

} // namespace

void drawMainWindow(Output &out)
{
    Scene scene(kPicture, kClient, kCorner, drawBackground);

    const int help = scene.addFace(pictureAt(9520, 120, 12, 17),
                                   [](QPainter &p, const QRect &r, Look l) { drawTitleMark(p, r, Mark::Help, l); });
    const int min = scene.addFace(pictureAt(9775, 135, 14, 14),
                                  [](QPainter &p, const QRect &r, Look l) { drawTitleMark(p, r, Mark::Minimise, l); });
    const int exit = scene.addFace(pictureAt(10075, 150, 14, 13),
                                   [](QPainter &p, const QRect &r, Look l) { drawTitleMark(p, r, Mark::Close, l); });

    std::array<int, kMenu.size()> menu{};
    for (std::size_t i = 0; i < kMenu.size(); ++i) {
        const QString text = QString::fromLatin1(kMenu[i].text);
        menu[i] = scene.addFace(kMenu[i].place,
                                [text](QPainter &p, const QRect &r, Look l) { paintMenuWord(p, r, l, text); });
    }

    std::array<int, kToolbar.size()> toolbar{};
    for (std::size_t i = 0; i < kToolbar.size(); ++i) {
        const ToolButton b = kToolbar[i];
        toolbar[i] = scene.addFace(pictureAt(b.left, 825, 86, 53),
                                   [b](QPainter &p, const QRect &r, Look l) { paintToolButton(p, r, l, b); });
    }

    const int browse = scene.addFace(pictureAt(9525, 4960, 42, 22), [](QPainter &p, const QRect &r, Look l) {
        drawButton(p, r, kPlainButton, l, QString(), Icon::Folder, 18);
    });
    const int convert = scene.addFace(pictureAt(7330, 5565, 185, 88), [](QPainter &p, const QRect &r, Look l) {
        drawButton(p, r, convertStyle(), l, QStringLiteral("Convert"), Icon::Note, 34);
    });

    out.picture(QStringLiteral("main.png"), scene.render());
    out.picture(QStringLiteral("help_light.png"), scene.twin(help, Look::Lit));
    out.picture(QStringLiteral("min_light.png"), scene.twin(min, Look::Lit));
    out.picture(QStringLiteral("exit_light.png"), scene.twin(exit, Look::Lit));
    for (std::size_t i = 0; i < menu.size(); ++i)
        out.picture(QStringLiteral("menu_data_%1.png").arg(i), scene.twin(menu[i], Look::Lit));
    for (std::size_t i = 0; i < toolbar.size(); ++i)
        out.picture(QStringLiteral("toolbar_data_%1.png").arg(kToolbar[i].index), scene.twin(toolbar[i], Look::Lit));
    out.picture(QStringLiteral("browse_light.png"), scene.twin(browse, Look::Lit));
    out.picture(QStringLiteral("browse_dark.png"), scene.twin(browse, Look::Pressed));
    out.picture(QStringLiteral("convert_data.png"), scene.twin(convert, Look::Lit));
}
