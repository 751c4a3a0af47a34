// The colours of the background picture.
#pragma once

#include <QColor>

namespace palette {

// Backdrop: a dark blue-grey that the window's light grey (#D0D0D0) text reads on.
inline QColor backdropTop() { return QColor(0x23, 0x28, 0x2f); }
inline QColor backdropBottom() { return QColor(0x16, 0x19, 0x1e); }
inline QColor backdropGlow() { return QColor(0x5a, 0x6c, 0x82, 110); }
// Pale strip behind the window's black status line.
inline QColor bandTop() { return QColor(0xef, 0xf1, 0xf3); }
inline QColor bandBottom() { return QColor(0xdc, 0xdf, 0xe3); }
inline QColor bandEdgeShadow() { return QColor(0, 0, 0, 90); }

// The unit's graphite plastic.
inline QColor shell() { return QColor(0x4b, 0x51, 0x5a); }
inline QColor shellFrontTop() { return QColor(0x57, 0x5e, 0x68); }
inline QColor shellFrontBottom() { return QColor(0x3a, 0x3f, 0x46); }
inline QColor rimLight() { return QColor(0xc8, 0xd2, 0xde, 150); }
inline QColor foot() { return QColor(0x2c, 0x2f, 0x34); }
inline QColor wordmark() { return QColor(0xd6, 0xdb, 0xe1); }

// Display.
inline QColor bezel() { return QColor(0x14, 0x16, 0x19); }
inline QColor screenTop() { return QColor(0x2b, 0x55, 0x63); }
inline QColor screenBottom() { return QColor(0x17, 0x33, 0x3d); }
inline QColor screenInk() { return QColor(0xbf, 0xea, 0xf2); }
inline QColor screenInkDim() { return QColor(0xbf, 0xea, 0xf2, 60); }
inline QColor glassGlare() { return QColor(255, 255, 255, 34); }

// Buttons.
inline QColor buttonLight() { return QColor(0x76, 0x7d, 0x87); }
inline QColor buttonDark() { return QColor(0x33, 0x37, 0x3d); }
inline QColor buttonRecess() { return QColor(0x1c, 0x1f, 0x23); }
inline QColor buttonGlyph() { return QColor(0xe4, 0xe8, 0xec); }
inline QColor readyLampOff() { return QColor(0x6a, 0x3a, 0x1c); }

// USB.
inline QColor socketHole() { return QColor(0x0b, 0x0c, 0x0e); }
inline QColor metal() { return QColor(0xb8, 0xbe, 0xc6); }
inline QColor metalDark() { return QColor(0x6e, 0x75, 0x7e); }
inline QColor plugLight() { return QColor(0x4a, 0x4f, 0x57); }
inline QColor plugDark() { return QColor(0x1f, 0x22, 0x26); }
inline QColor cable() { return QColor(0x2a, 0x2d, 0x32); }
inline QColor cableHighlight() { return QColor(0x8a, 0x93, 0x9e, 120); }

// Shadows.
inline QColor dropShadow() { return QColor(0, 0, 0, 150); }

}  // namespace palette
