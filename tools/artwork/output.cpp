#include "output.h"

#include <QDir>
#include <stdexcept>

Output::Output(const QString &resourcesDir) : m_dir(resourcesDir)
{
    QDir dir(m_dir);
    if (!dir.mkpath(QStringLiteral("skin")) || !dir.mkpath(QStringLiteral("program")))
        throw std::runtime_error("cannot create the output folders under " + m_dir.toStdString());
}

void Output::picture(const QString &name, const QImage &image)
{
    save(name, image.convertToFormat(QImage::Format_RGB888));
}

void Output::pictureWithAlpha(const QString &name, const QImage &image)
{
    save(name, image.convertToFormat(QImage::Format_ARGB32));
}

QString Output::programFile(const QString &name) const
{
    return m_dir + QStringLiteral("/program/") + name;
}

void Output::save(const QString &name, const QImage &image)
{
    const QString path = m_dir + QStringLiteral("/skin/") + name;
    if (!image.save(path, "PNG"))
        throw std::runtime_error("cannot write " + path.toStdString());
    m_pictures.append(name);
}
