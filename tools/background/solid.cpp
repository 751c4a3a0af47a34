#include "solid.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace {

// The key light comes from the upper left, a little from the viewer's side; a weak
// fill light from the right keeps the right-hand faces from going black.
constexpr qreal kKeyLightX = -0.40;
constexpr qreal kKeyLightY = -0.92;
constexpr qreal kFillLightX = 1.0;
constexpr qreal kAmbient = 0.42;
constexpr qreal kKeyStrength = 0.78;
constexpr qreal kFillStrength = 0.14;
// Faces get darker the further they reach from the viewer.
constexpr qreal kFarShade = 0.72;
// Neighbouring strips overlap this much so antialiasing leaves no seams between them.
constexpr qreal kSeamOverlap = 0.6;

qreal cross(QPointF o, QPointF a, QPointF b) {
  return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

// Andrew's monotone chain.
QPolygonF convexHull(QVector<QPointF> points) {
  std::sort(points.begin(), points.end(), [](QPointF a, QPointF b) {
    return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
  });
  QVector<QPointF> hull(2 * points.size());
  int k = 0;
  for (int i = 0; i < points.size(); ++i) {
    while (k >= 2 && cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  for (int i = points.size() - 2, lower = k + 1; i >= 0; --i) {
    while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
    hull[k++] = points[i];
  }
  hull.resize(std::max(0, k - 1));
  return QPolygonF(hull);
}

qreal signedArea(const QPolygonF &polygon) {
  qreal area = 0;
  for (int i = 0; i < polygon.size(); ++i) {
    const QPointF a = polygon[i];
    const QPointF b = polygon[(i + 1) % polygon.size()];
    area += a.x() * b.y() - b.x() * a.y();
  }
  return area / 2;
}

QColor scaled(const QColor &colour, qreal factor) {
  auto channel = [factor](int value) {
    return std::clamp(static_cast<int>(std::lround(value * factor)), 0, 255);
  };
  return QColor(channel(colour.red()), channel(colour.green()), channel(colour.blue()),
                colour.alpha());
}

// How bright a face is whose outward normal (in the picture plane) is `normal`.
qreal brightness(QPointF normal) {
  const qreal keyLength = std::hypot(kKeyLightX, kKeyLightY);
  const qreal key = (normal.x() * kKeyLightX + normal.y() * kKeyLightY) / keyLength;
  const qreal fill = normal.x() * kFillLightX;
  return kAmbient + kKeyStrength * std::max<qreal>(0, key) +
         kFillStrength * std::max<qreal>(0, fill);
}

// One strip of the sweep: the edge a-b moved along the sweep, shaded by its normal.
void drawStrip(QPainter &painter, QPointF a, QPointF b, QPointF normal, QPointF sweep,
               const QColor &material) {
  const QPointF along = b - a;
  const qreal length = std::hypot(along.x(), along.y());
  const QPointF grow = along * (kSeamOverlap / length);
  const QPointF from = a - grow;
  const QPointF to = b + grow;
  const QColor near = scaled(material, brightness(normal));
  QLinearGradient shade((a + b) / 2, (a + b) / 2 + sweep);
  shade.setColorAt(0, near);
  shade.setColorAt(1, scaled(near, kFarShade));
  painter.setBrush(shade);
  painter.drawPolygon(QPolygonF({from, to, to + sweep, from + sweep}));
}

}  // namespace

namespace solid {

QPainterPath sweptOutline(const QPainterPath &face, QPointF sweep) {
  QVector<QPointF> points;
  for (const QPointF &p : face.toFillPolygon()) points << p << p + sweep;
  QPainterPath outline;
  outline.addPolygon(convexHull(points));
  outline.closeSubpath();
  return outline;
}

void drawSides(QPainter &painter, const QPainterPath &face, QPointF sweep,
               const QColor &material) {
  QPolygonF outline = face.toFillPolygon();
  if (outline.size() > 1 && outline.first() == outline.last()) outline.removeLast();
  const qreal orientation = signedArea(outline) > 0 ? 1 : -1;

  painter.save();
  painter.setPen(Qt::NoPen);
  // An underlay in the mid tone, so the strips' antialiased edges blend into it.
  painter.setBrush(scaled(material, kAmbient + kKeyStrength / 2));
  painter.drawPath(sweptOutline(face, sweep));
  for (int i = 0; i < outline.size(); ++i) {
    const QPointF a = outline[i];
    const QPointF b = outline[(i + 1) % outline.size()];
    const QPointF edge = b - a;
    const qreal length = std::hypot(edge.x(), edge.y());
    if (length < 1e-6) continue;
    const QPointF normal = QPointF(edge.y(), -edge.x()) * (orientation / length);
    // Only faces turned towards the sweep's direction are seen; the rest are hidden
    // behind the face.
    if (normal.x() * sweep.x() + normal.y() * sweep.y() <= 0) continue;
    drawStrip(painter, a, b, normal, sweep, material);
  }
  painter.restore();
}

}  // namespace solid
