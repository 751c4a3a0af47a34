#include "gui/settings.h"

#include "files/support_misc.h"
#include "files/unquoted.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace Settings {

GUI::GUI(const QString& settings_text)
{
    // Qt's reader keeps line feeds written raw inside strings, which the default file has.
    const QJsonObject top = QJsonDocument::fromJson(settings_text.toUtf8()).object();
    for (const QJsonValue& element : top.value(QLatin1String("circles")).toArray())
        circles.append(CircleData_factory(element.toObject()));
    for (const QJsonValue& element : top.value(QLatin1String("labels")).toArray())
        labels.append(LabelData_factory(element.toObject()));
    valid = true;
}

const LabelData* GUI::label(const QString& id) const
{
    for (const LabelData& entry : labels)
        if (entry.id == id)
            return &entry;
    qWarning() << "No matching label with id" << id << "found";
    return nullptr;
}

QString GUI::text(const QString& id) const
{
    const LabelData* entry = label(id);
    return entry ? entry->text : QString();
}

GUI::operator QString() const
{
    QString form = QStringLiteral("GUI settings:\n");
    if (!valid)
        return form + QStringLiteral("\tInvalid");
    for (const CircleData& circle : circles)
        form += QLatin1Char('\t') + QString(circle) + QLatin1Char('\n');
    for (const LabelData& entry : labels)
        form += QLatin1Char('\t') + QString(entry) + QLatin1Char('\n');
    return form;
}

QString load_settings_file(const QString& file_name)
{
    return support_misc::load_text_file(support_misc::maybe_use_file_instead_of_resource(file_name));
}

GUI make_GUI(const QString& file_name)
{
    return GUI(load_settings_file(file_name));
}

QDebug operator<<(QDebug debug, const GUI& gui)
{
    return support_misc::write_unquoted(debug, QString(gui));
}

}  // namespace Settings
