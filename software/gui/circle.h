#pragma once
// A translucent ring over the background picture that marks a button of the unit.

#include "gui/settings_entries.h"

#include <QColor>
#include <QList>
#include <QPoint>
#include <QWidget>

class Circle : public QWidget {
    Q_OBJECT

public:
    struct Data {
        QPoint center;
        int radius = 0;
        int pen_width = 0;
        QColor color;
    };

    Circle(Data ring, QWidget* parent);

    void setup();
    void setCenter(QPoint center);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Data data;
};

void add_circles(const QList<Settings::CircleData>& circles, QWidget* parent);
void add_circles(const QList<Circle::Data>& circles, QWidget* parent);
