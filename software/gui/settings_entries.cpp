#include "gui/settings_entries.h"

#include <QDebug>
#include <QJsonObject>
#include <QJsonValue>

namespace Settings {

namespace {

// The positions keep whatever coordinate the file leaves out.
QPoint read_point(const QJsonObject& object, QPoint point)
{
    if (object.contains(QLatin1String("x")))
        point.setX(object.value(QLatin1String("x")).toInt());
    if (object.contains(QLatin1String("y")))
        point.setY(object.value(QLatin1String("y")).toInt());
    return point;
}

}  // namespace

LabelData LabelData_factory(const QJsonObject& object)
{
    LabelData label;
    if (object.contains(QLatin1String("id")))
        label.id = object.value(QLatin1String("id")).toString();
    if (object.contains(QLatin1String("position")))
        label.position = read_point(object.value(QLatin1String("position")).toObject(), label.position);
    if (object.contains(QLatin1String("size")))
        label.size = object.value(QLatin1String("size")).toInt();
    if (object.contains(QLatin1String("font")))
        label.font = object.value(QLatin1String("font")).toString();
    if (object.contains(QLatin1String("create")))
        label.create = object.value(QLatin1String("create")).toBool();
    if (object.contains(QLatin1String("white")))
        label.white = object.value(QLatin1String("white")).toBool();
    if (object.contains(QLatin1String("text")))
        label.text = object.value(QLatin1String("text")).toString();
    return label;
}

CircleData CircleData_factory(const QJsonObject& object)
{
    CircleData circle;
    circle.name = object.value(QLatin1String("name")).toString();
    const QJsonObject center = object.value(QLatin1String("center")).toObject();
    circle.center = QPoint(center.value(QLatin1String("x")).toInt(), center.value(QLatin1String("y")).toInt());
    circle.radius = object.value(QLatin1String("radius")).toInt();
    circle.pen_width = object.value(QLatin1String("pen_width")).toInt();
    circle.color = QColor(object.value(QLatin1String("color")).toString());
    return circle;
}

// The texts hold placeholders of their own ("%1"), so every form is filled in one pass.
LabelData::operator QString() const
{
    return QStringLiteral("Label '%1': (%2,%3) {%4%5%6} font='%7':%8: '%9'")
        .arg(id, QString::number(position.x()), QString::number(position.y()),
             white ? QString() : QStringLiteral("not-white"),
             !white && !create ? QStringLiteral(" ") : QString(),
             create ? QString() : QStringLiteral("no-create"), font, QString::number(size), text);
}

CircleData::operator QString() const
{
    return QStringLiteral("Circle '%1': (%2,%3), r=%4, w=%5, color=%6")
        .arg(name, QString::number(center.x()), QString::number(center.y()), QString::number(radius),
             QString::number(pen_width), color.name(QColor::HexArgb));
}

QDebug operator<<(QDebug debug, const LabelData& label)
{
    return debug << QString(label);
}

QDebug operator<<(QDebug debug, const CircleData& circle)
{
    return debug << QString(circle);
}

}  // namespace Settings
