#include "scene.h"

#include "palette.h"

#include <QPainterPath>

namespace {

// The key colour must never be blended: the shape is filled without
// antialiasing, and every pixel outside it is set to exactly the key.
void keyOutside(QImage &image, QRect shape, int radius)
{
    QImage inside(image.size(), QImage::Format_Grayscale8);
    inside.fill(0);
    {
        QPainter p(&inside);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPainterPath path;
        path.addRoundedRect(shape, radius, radius);
        p.fillPath(path, Qt::white);
    }
    const QRgb key = palette::key.rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const uchar *mask = inside.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            if (mask[x] == 0)
                line[x] = key;
    }
}

} // namespace

Scene::Scene(QSize picture, QRect shape, int cornerRadius, std::function<void(QPainter &)> background)
    : m_picture(picture), m_shape(shape), m_radius(cornerRadius), m_background(std::move(background))
{
}

int Scene::addFace(QRect rect, FacePainter paint)
{
    m_faces.push_back({rect, std::move(paint)});
    return static_cast<int>(m_faces.size()) - 1;
}

QImage Scene::render() const
{
    return renderWith(-1, Look::Normal);
}

QImage Scene::twin(int face, Look look) const
{
    return renderWith(face, look).copy(m_faces.at(face).rect);
}

QImage Scene::renderWith(int changedFace, Look look) const
{
    QImage image(m_picture, QImage::Format_RGB32);
    image.fill(palette::bodyTop);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        m_background(p);
        for (int i = 0; i < static_cast<int>(m_faces.size()); ++i) {
            p.save();
            m_faces[i].paint(p, m_faces[i].rect, i == changedFace ? look : Look::Normal);
            p.restore();
        }
    }
    keyOutside(image, m_shape, m_radius);
    return image;
}
