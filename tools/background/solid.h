// Solids seen in the picture's oblique projection: a flat back face (the face turned
// to the viewer) pushed away from the viewer along a depth vector.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace solid {

// The outline of everything a convex face covers while being swept along `sweep`.
QPainterPath sweptOutline(const QPainterPath &face, QPointF sweep);

// Draws the faces a convex `face` sweeps along `sweep` (its top, sides, rounded edges),
// each shaded by how much it turns towards the light. The face itself is not drawn.
void drawSides(QPainter &painter, const QPainterPath &face, QPointF sweep,
               const QColor &material);

}  // namespace solid
