#pragma once
// Small vector icons, designed on a 24 x 24 grid and scaled to any box.
#include <QPainter>
#include <QRectF>

enum class Icon {
    None,
    Logo,
    AddFile,
    AddFolder,
    Remove,
    Options,
    Help,
    Exit,
    Folder,
    Note,
    Feedback,
    Plus,
};

void drawIcon(QPainter &p, Icon icon, const QRectF &box);
