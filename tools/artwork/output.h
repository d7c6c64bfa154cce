#pragma once
// Where the generated files go: pictures into <resources>/skin (and listed for
// the resource file), the chime into <resources>/program.
#include <QImage>
#include <QString>
#include <QStringList>

class Output {
public:
    explicit Output(const QString &resourcesDir);

    // Skins and button pictures are 24-bit: no alpha channel is written.
    void picture(const QString &name, const QImage &image);
    // Only the cursor keeps its alpha channel.
    void pictureWithAlpha(const QString &name, const QImage &image);

    QString resourcesDir() const { return m_dir; }
    QString programFile(const QString &name) const;
    const QStringList &pictures() const { return m_pictures; }

private:
    void save(const QString &name, const QImage &image);

    QString m_dir;
    QStringList m_pictures;
};
