// Draws every picture of the program's skins and its finishing chime.
// Usage: artwork <resources folder>
#include "output.h"
#include "pictures.h"

#include <QGuiApplication>
#include <cstdio>
#include <exception>

int main(int argc, char **argv)
{
    // Fonts need a GUI application, but nothing is shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: artwork <resources folder>\n");
        return 2;
    }
    try {
        Output out(QString::fromLocal8Bit(argv[1]));
        drawMainWindow(out);
        drawDoorPanel(out);
        drawOptionsWindow(out);
        drawFeedbackWindow(out);
        drawSmallPictures(out);
        writeChime(out.programFile(QStringLiteral("sound.wav")));
        writeResourceFile(out);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}
