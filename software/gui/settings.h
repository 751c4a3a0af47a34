#pragma once
// The GUI settings file: the words and places of the window's labels and circles, and
// the identity of the firmware the tool carries.

#include "device/product.h"
#include "gui/settings_entries.h"

#include <QList>
#include <QString>

class QDebug;

namespace Settings {

struct GUI {
    bool valid = false;
    QList<CircleData> circles;
    QList<LabelData> labels;

    GUI() = default;
    // Any text gives a valid result: what does not parse leaves both lists empty.
    explicit GUI(const QString& settings_text);

    // The first entry with exactly this id, or null (with a warning).
    const LabelData* label(const QString& id) const;
    QString text(const QString& id) const;

    operator QString() const;
};

struct Settings {
    GUI gui;
    QString desired_FW_name;
    Device::Type desired_FW_type = Device::invalid;
    QString desired_FW_revision;
};

// Throws the QString of support_misc::load_text_file when the file cannot be opened.
QString load_settings_file(const QString& file_name);
GUI make_GUI(const QString& file_name);

QDebug operator<<(QDebug debug, const GUI& gui);

}  // namespace Settings
