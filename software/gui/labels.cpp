#include "gui/labels.h"

#include "device/product.h"
#include "files/support_misc.h"
#include "gui/install_button.h"
#include "gui/main_window.h"
#include "gui/settings.h"
#include "gui/window_geometry.h"

#include <QDebug>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

double fontPixelScale = 0;

namespace {

const char* const white_style_sheet = "QLabel { background-color : rgba(0,0,0,0%); color : rgba(175,175,175,100%); }";
const char* const black_style_sheet = "QLabel { background-color : rgba(0,0,0,0%); color : black; }";

QString shown_text(const Settings::LabelData& entry, const Settings::Settings* settings)
{
    if (entry.id == QLatin1String("2")) {
        Device::ProductInfo desired;
        desired.type = settings->desired_FW_type;
        return entry.text.arg(desired.product_name_full());
    }
    if (entry.id == QLatin1String("4"))
        return entry.text.arg(settings->desired_FW_revision);
    return entry.text;
}

bool is_version_label(const QString& id)
{
    return id == QLatin1String("4") || id == QLatin1String("4_hdr");
}

void align(QLabel* label, const QString& id)
{
    if (id == QLatin1String("2") || id == QLatin1String("3"))
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    else if (is_version_label(id))
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
}

double font_pixel_scale()
{
    if (fontPixelScale == 0) {
        fontPixelScale = QGuiApplication::primaryScreen()->physicalDotsPerInch() / window_geometry::font_design_dpi;
        if (support_misc::compiled_for_platform(support_misc::Platform::windows))
            fontPixelScale *= window_geometry::windows_font_factor;
    }
    return fontPixelScale;
}

void set_font(QLabel* label, const Settings::LabelData& entry)
{
    if (!entry.font.isEmpty())
        label->setFont(QFont(entry.font));
    if (entry.size > 0) {
        const int pixels = int(entry.size * font_pixel_scale());
        // A size that rounds to nothing would only make Qt complain and keep the font.
        if (pixels > 0) {
            QFont font = label->font();
            font.setPixelSize(pixels);
            label->setFont(font);
        }
    }
}

// The height follows the line feeds even where rich text shows them as spaces.
QSize measured_size(const QLabel* label, const Settings::LabelData& entry, double scale)
{
    const QFontMetrics metrics = label->fontMetrics();
    const QString text = label->text();
    int width = metrics.horizontalAdvance(text);
    const int lines = text.count(QLatin1Char('\n')) + 1;
    if (is_version_label(entry.id)) {
        width = int(scale * window_geometry::fixed_label_width);
        qInfo() << "Overriding width to " << width << "for text:" << entry.text;
    }
    return QSize(width, metrics.height() * lines);
}

void make_label(const Settings::LabelData& entry, const Settings::Settings* settings, MainWindow* window)
{
    auto* label = new QLabel(entry.text, window);
    label->setText(shown_text(entry, settings));
    align(label, entry.id);
    if (entry.id == QLatin1String("status_noDev"))
        window->statusLabel = label;
    set_font(label, entry);
    label->resize(measured_size(label, entry, window->scale));
    label->setStyleSheet(QString::fromLatin1(entry.white ? white_style_sheet : black_style_sheet));
    if (entry.position.x() > 0 && entry.position.y() > 0)
        label->move(qRound(entry.position.x() * window->scale), qRound(entry.position.y() * window->scale));
    label->show();
}

}  // namespace

void add_labels(const Settings::Settings* settings, MainWindow* window, bool simulator)
{
    window->show();
    for (const Settings::LabelData& entry : settings->gui.labels) {
        if (!entry.create) {
            // "8b2" words the install button; "sim_mode" appears while the simulator stands in.
            if (entry.id == QLatin1String("8b2") && window->installButton) {
                window->installButton->setText(entry.text);
                continue;
            }
            if (!(entry.id == QLatin1String("sim_mode") && simulator))
                continue;
        }
        if (entry.text.isEmpty())
            continue;
        make_label(entry, settings, window);
    }
}
