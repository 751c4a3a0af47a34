#pragma once
// One label and one marker circle of the GUI settings file, as the window reads them.

#include <QColor>
#include <QPoint>
#include <QString>

class QDebug;
class QJsonObject;

namespace Settings {

struct LabelData {
    QString id;
    QPoint position{-1, -1};
    int size = -1;
    QString font;
    QString text;
    bool create = true;
    bool white = true;

    operator QString() const;
};

struct CircleData {
    QString name;
    QPoint center;
    int radius = 0;
    int pen_width = 0;
    QColor color;

    operator QString() const;
};

LabelData LabelData_factory(const QJsonObject& object);
CircleData CircleData_factory(const QJsonObject& object);

QDebug operator<<(QDebug debug, const LabelData& label);
QDebug operator<<(QDebug debug, const CircleData& circle);

}  // namespace Settings
