// The flash unit's shell, seen from its back: the body holding the controls, the foot
// under it, the swivel neck and the head on top, with the STROBIX wordmark.
#pragma once

#include <QPainterPath>

class QPainter;

namespace unit {

// The outline of the whole unit, for its shadow.
QPainterPath silhouette();

// The soft shadow the unit casts on the backdrop.
void drawShadow(QPainter &painter);

// The foot, body, neck and head, back to front. The controls go on top of the body.
void drawShell(QPainter &painter);

}  // namespace unit
