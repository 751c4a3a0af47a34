#include "gui/fonts.h"

#include <QApplication>
#include <QDebug>
#include <QFont>
#include <QFontDatabase>

namespace {

const QString regular_font_path = QStringLiteral(":resources/StrobixSans-Regular.otf");
const QString bold_font_path = QStringLiteral(":resources/StrobixSans-Bold.otf");

constexpr int default_point_size = 11;

}  // namespace

namespace support {

QString strobix_font_name;

void setup_fonts()
{
    strobix_font_name = load_strobix_fonts();
    if (strobix_font_name.isEmpty()) {
        qWarning() << "Unable to load/set the Strobix font as default";
        return;
    }
    set_default_font(strobix_font_name);
    qInfo() << "Load/set default font:" << strobix_font_name;
}

QString load_strobix_fonts()
{
    static bool registered = false;
    if (!registered) {
        registered = true;
        strobix_font_name = load_font(regular_font_path);
        // Only its registration matters: rich-text labels find their bold face through it.
        load_font(bold_font_path);
    }
    return strobix_font_name;
}

void set_default_font(const QString& family)
{
    if (!family.isEmpty())
        QApplication::setFont(QFont(family, default_point_size));
}

QString load_font(const QString& path)
{
    const int id = QFontDatabase::addApplicationFont(path);
    if (id < 0)
        qWarning() << "Unable to load font from" << path;
    return QFontDatabase::applicationFontFamilies(id).value(0);
}

}  // namespace support
