#pragma once
// The maker's own typeface, carried inside the tool, as the application's default font.

#include <QString>

namespace support {

// The family of the regular Strobix font once it is registered; empty before that and
// after a failed registration.
extern QString strobix_font_name;

// Registers the Strobix fonts and makes the regular family the application's default.
void setup_fonts();

// Registers both Strobix faces on the first call only; returns `strobix_font_name`.
QString load_strobix_fonts();

// An empty family leaves the application font as it is.
void set_default_font(const QString& family);

// Registers one font file; returns its family, or an empty text if it could not be used.
QString load_font(const QString& path);

}  // namespace support
