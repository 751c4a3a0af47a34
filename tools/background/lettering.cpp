#include "lettering.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace {

// A glyph is drawn in a box one cap height tall (y 0 at the top, 1 on the baseline)
// and `width` cap heights wide.
struct Glyph {
  QPainterPath path;
  qreal width;
};

constexpr qreal kSpaceWidth = 0.5;

QPainterPath letterB() {
  QPainterPath p;
  p.moveTo(0, 1);
  p.lineTo(0, 0);
  p.lineTo(0.42, 0);
  p.arcTo(QRectF(0.18, 0, 0.48, 0.48), 90, -180);  // upper bowl
  p.lineTo(0, 0.48);
  p.moveTo(0.42, 0.48);
  p.arcTo(QRectF(0.16, 0.48, 0.56, 0.52), 90, -180);  // lower, fuller bowl
  p.lineTo(0, 1);
  return p;
}

QPainterPath letterE() {
  QPainterPath p;
  p.moveTo(0.62, 0);
  p.lineTo(0, 0);
  p.lineTo(0, 1);
  p.lineTo(0.62, 1);
  p.moveTo(0, 0.5);
  p.lineTo(0.52, 0.5);
  return p;
}

QPainterPath letterI() {
  QPainterPath p;
  p.moveTo(0, 0);
  p.lineTo(0, 1);
  return p;
}

QPainterPath letterN() {
  QPainterPath p;
  p.moveTo(0, 1);
  p.lineTo(0, 0);
  p.lineTo(0.72, 1);
  p.lineTo(0.72, 0);
  return p;
}

QPainterPath letterO() {
  QPainterPath p;
  p.addEllipse(QRectF(0, 0, 0.9, 1));
  return p;
}

QPainterPath letterR() {
  QPainterPath p;
  p.moveTo(0, 1);
  p.lineTo(0, 0);
  p.lineTo(0.42, 0);
  p.arcTo(QRectF(0.16, 0, 0.52, 0.52), 90, -180);  // the bowl
  p.lineTo(0, 0.52);
  p.moveTo(0.36, 0.52);
  p.lineTo(0.7, 1);  // the leg
  return p;
}

QPainterPath letterS() {
  QPainterPath p;
  // Upper bowl from its right end over the top to the middle, then the lower bowl the
  // other way round to its left end.
  p.arcMoveTo(QRectF(0.06, 0, 0.6, 0.5), 25);
  p.arcTo(QRectF(0.06, 0, 0.6, 0.5), 25, 245);
  p.arcTo(QRectF(0.02, 0.5, 0.68, 0.5), 90, -245);
  return p;
}

QPainterPath letterT() {
  QPainterPath p;
  p.moveTo(0, 0);
  p.lineTo(0.72, 0);
  p.moveTo(0.36, 0);
  p.lineTo(0.36, 1);
  return p;
}

QPainterPath letterU() {
  QPainterPath p;
  p.moveTo(0, 0);
  p.lineTo(0, 0.64);
  p.arcTo(QRectF(0, 0.28, 0.72, 0.72), 180, 180);
  p.lineTo(0.72, 0);
  return p;
}

QPainterPath letterX() {
  QPainterPath p;
  p.moveTo(0, 0);
  p.lineTo(0.72, 1);
  p.moveTo(0.72, 0);
  p.lineTo(0, 1);
  return p;
}

Glyph glyphFor(QChar c) {
  switch (c.unicode()) {
    case 'B': return {letterB(), 0.72};
    case 'E': return {letterE(), 0.62};
    case 'I': return {letterI(), 0};
    case 'N': return {letterN(), 0.72};
    case 'O': return {letterO(), 0.9};
    case 'R': return {letterR(), 0.7};
    case 'S': return {letterS(), 0.72};
    case 'T': return {letterT(), 0.72};
    case 'U': return {letterU(), 0.72};
    case 'X': return {letterX(), 0.72};
    default: return {QPainterPath(), kSpaceWidth};
  }
}

qreal textWidth(const QString &text, qreal tracking) {
  qreal width = 0;
  for (QChar c : text) width += glyphFor(c).width + tracking;
  return text.isEmpty() ? 0 : width - tracking;
}

}  // namespace

namespace lettering {

void drawCentred(QPainter &painter, const QString &text, QPointF centre, qreal capHeight,
                 qreal tracking, const QPen &pen) {
  QPainterPath strokes;
  qreal x = 0;
  for (QChar c : text) {
    const Glyph glyph = glyphFor(c);
    strokes.addPath(glyph.path.translated(x, 0));
    x += glyph.width + tracking;
  }
  const qreal width = textWidth(text, tracking);
  QTransform place;
  place.translate(centre.x() - width * capHeight / 2, centre.y() - capHeight / 2);
  place.scale(capHeight, capHeight);

  painter.save();
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(place.map(strokes));
  painter.restore();
}

}  // namespace lettering
