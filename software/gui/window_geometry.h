#pragma once
// Where things sit on the window, in design pixels; the window multiplies them by its scale.

#include <QRect>
#include <QSize>

namespace window_geometry {

constexpr QSize window_size{665, 517};
constexpr int offset_below_screen_top = 50;
constexpr QRect install_rect{207, 417, 250, 40};
// The version labels keep one width, so that their right-aligned texts line up.
constexpr int fixed_label_width = 228;

// The screen resolution the design pixels were drawn for.
constexpr double design_dpi = 96.0;
// The physical resolution at which a label's "size" is taken as font pixels unchanged.
constexpr double font_design_dpi = 110.0;
constexpr double windows_font_factor = 1.3;

}  // namespace window_geometry
