// Soft shadows: a shape's silhouette, blurred, laid under it.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace shadow {

// Draws `shape` moved by `offset`, filled with `colour` and blurred by about `radius`
// pixels, onto the painter's device (which must be the picture itself).
void drawSoft(QPainter &painter, const QPainterPath &shape, QPointF offset, qreal radius,
              const QColor &colour);

}  // namespace shadow
