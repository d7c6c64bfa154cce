#pragma once
#include <QCursor>
#include <QPixmap>
#include <QString>

// The pictures of the three windows, built into the program: the skins, the
// hover twins, the arrows and the hand cursor. A missing one is an empty
// picture, so the window still works, only plainer.
namespace artwork {

// By file name, e.g. "exit_light.png".
QPixmap picture(const QString& name);

// The hand-shaped cursor of the links and title-bar buttons.
QCursor handCursor();

}  // namespace artwork
