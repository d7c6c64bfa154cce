#pragma once
// One colour scheme for every window: dark slate chrome, light body, a blue
// accent for interactive marks and a crimson call to action.
#include <QColor>

namespace palette {
inline const QColor key(255, 0, 255);              // see-through pixels

inline const QColor chromeTop(0x2f, 0x3e, 0x56);
inline const QColor chromeBottom(0x1d, 0x28, 0x3a);
inline const QColor chromeLine(0x12, 0x19, 0x25);
inline const QColor chromeText(0xf2, 0xf5, 0xfa);
inline const QColor chromeMuted(0x9f, 0xb0, 0xc8);
inline const QColor chromeHover(0x45, 0x5a, 0x7a);
inline const QColor chromeHoverEdge(0x6e, 0x8c, 0xb4);

inline const QColor bodyTop(0xf1, 0xf4, 0xf8);
inline const QColor bodyBottom(0xe2, 0xe8, 0xf0);
inline const QColor card(0xff, 0xff, 0xff);
inline const QColor cardEdge(0xc9, 0xd3, 0xdf);
inline const QColor shadow(0x8a, 0x9b, 0xb2);
inline const QColor fieldEdge(0xa9, 0xb6, 0xc6);
inline const QColor text(0x24, 0x2e, 0x3c);
inline const QColor label(0x3d, 0x4d, 0x63);
inline const QColor muted(0x74, 0x82, 0x96);

inline const QColor accent(0x1f, 0x7a, 0xd4);
inline const QColor accentLight(0x4f, 0xa3, 0xf0);
inline const QColor accentDark(0x15, 0x5a, 0xa3);

inline const QColor action(0xd8, 0x3b, 0x35);       // crimson
inline const QColor actionLight(0xf0, 0x61, 0x55);
inline const QColor actionDark(0xa8, 0x24, 0x22);

inline const QColor green(0x3c, 0xc2, 0x7a);
inline const QColor amber(0xf2, 0xb1, 0x3c);
inline const QColor red(0xef, 0x5b, 0x50);
} // namespace palette
