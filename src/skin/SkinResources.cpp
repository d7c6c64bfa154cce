#include "skin/SkinResources.h"

// The resources live in a static library, where nothing else would pull them in.
static void initSkinResources() { Q_INIT_RESOURCE(skin); }

namespace artwork {

QPixmap picture(const QString& name) {
  static const bool loaded = (initSkinResources(), true);
  (void)loaded;
  return QPixmap(QStringLiteral(":/skin/") + name);
}

QCursor handCursor() {
  // The fingertip of the drawn hand.
  constexpr int kHotX = 11, kHotY = 1;
  return QCursor(picture(QStringLiteral("hand.png")), kHotX, kHotY);
}

}  // namespace artwork
