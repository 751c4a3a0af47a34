// A few capital letters drawn as strokes, so the unit's printing (the STROBIX wordmark,
// the TEST label) looks the same on every machine, whatever fonts it has.
#pragma once

#include <QPen>
#include <QPointF>
#include <QString>

class QPainter;

namespace lettering {

// Draws `text` (letters B E I N O R S T U X and spaces) centred on `centre`, its capital
// letters `capHeight` tall, with `tracking` times the cap height between letters.
void drawCentred(QPainter &painter, const QString &text, QPointF centre, qreal capHeight,
                 qreal tracking, const QPen &pen);

}  // namespace lettering
