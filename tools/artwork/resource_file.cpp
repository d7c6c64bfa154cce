// skin.qrc: every picture under the prefix /skin, by its bare file name.
#include "pictures.h"

#include <QFile>
#include <QTextStream>
#include <stdexcept>

void writeResourceFile(const Output &out)
{
    QStringList names = out.pictures();
    names.sort();

    QFile file(out.resourcesDir() + QStringLiteral("/skin.qrc"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        throw std::runtime_error("cannot write skin.qrc");
    QTextStream s(&file);
    s << "<!DOCTYPE RCC>\n"
      << "<!-- Drawn by tools/artwork; run tools/artwork/generate to redraw. -->\n"
      << "<!-- hand.png is the link cursor; its hotspot is (" << kHandHotspotX << ", " << kHandHotspotY
      << "). -->\n"
      << "<RCC version=\"1.0\">\n"
      << "  <qresource prefix=\"/skin\">\n";
    for (const QString &name : names)
        s << "    <file alias=\"" << name << "\">skin/" << name << "</file>\n";
    s << "  </qresource>\n"
      << "</RCC>\n";
}
