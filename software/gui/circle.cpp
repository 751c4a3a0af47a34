#include "gui/circle.h"

#include <QPainter>
#include <QPen>

Circle::Circle(Data ring, QWidget* parent) : QWidget(parent), data(ring)
{
    setup();
}

void Circle::setup()
{
    // The background is never filled, so only the ring shows over the picture.
    setBackgroundRole(QPalette::Base);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFixedSize(2 * data.radius, 2 * data.radius);
    setCenter(data.center);
}

void Circle::setCenter(QPoint center)
{
    data.center = center;
    move(center - QPoint(data.radius, data.radius));
}

void Circle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QBrush(data.color), data.pen_width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(Qt::NoBrush);
    // The stroke is centred on the circle, so this keeps all of it inside the widget.
    const int a = data.radius - data.pen_width / 2;
    painter.drawEllipse(data.radius - a, data.radius - a, 2 * a, 2 * a);
}

void add_circles(const QList<Settings::CircleData>& circles, QWidget* parent)
{
    QList<Circle::Data> rings;
    for (const Settings::CircleData& circle : circles)
        rings.append({circle.center, circle.radius, circle.pen_width, circle.color});
    add_circles(rings, parent);
}

void add_circles(const QList<Circle::Data>& circles, QWidget* parent)
{
    for (const Circle::Data& ring : circles)
        (new Circle(ring, parent))->show();
}
