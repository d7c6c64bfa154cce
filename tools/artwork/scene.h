#pragma once
// A window picture made of a background and the faces of its controls. Each
// hover or pressed twin is cut out of the same picture rendered with that one
// face changed, so a twin always lines up with what is around it.
#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>
#include <vector>

enum class Look { Normal, Lit, Pressed };

using FacePainter = std::function<void(QPainter &, const QRect &, Look)>;

class Scene {
public:
    // `shape` is the visible window; everything outside it, and outside its
    // rounded corners, becomes the see-through key colour.
    Scene(QSize picture, QRect shape, int cornerRadius, std::function<void(QPainter &)> background);

    // Returns the face's handle for twin().
    int addFace(QRect rect, FacePainter paint);

    QImage render() const;
    QImage twin(int face, Look look) const;

private:
    QImage renderWith(int changedFace, Look look) const;

    struct Face {
        QRect rect;
        FacePainter paint;
    };
    QSize m_picture;
    QRect m_shape;
    int m_radius;
    std::function<void(QPainter &)> m_background;
    std::vector<Face> m_faces;
};
