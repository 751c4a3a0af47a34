#include "unit_body.h"

#include "layout.h"
#include "lettering.h"
#include "palette.h"
#include "shadow.h"
#include "solid.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

// The shadow falls down and to the right of the unit, as from the key light.
constexpr QPointF kShadowOffset{10, 14};
constexpr qreal kShadowBlur = 18;
// The rim light is a thin line just inside a face's upper and left edges.
constexpr qreal kRimWidth = 1.2;
constexpr qreal kRimFadesAt = 0.6;  // gone this far along the face's diagonal
// The neck's cylinder is brightest this far across.
constexpr qreal kNeckHighlightAt = 0.35;
constexpr int kGrooveDarken = 130;  // percent, for QColor::darker
constexpr qreal kGrooveHighlightWeight = 0.6;
// The foot's corners are nearly square; the neck's are barely rounded.
constexpr qreal kFootCornerRadius = 3;
constexpr qreal kNeckCornerRadius = 2;
// Wordmark stroke weight and letter spacing, in cap heights.
constexpr qreal kWordmarkWeight = 0.16;
constexpr qreal kWordmarkTracking = 0.42;
// A fine groove across the head, near its lower edge (fraction of its height).
constexpr qreal kHeadGrooveAt = 0.78;
constexpr qreal kHeadGrooveInset = 12;

QPainterPath roundedRect(const QRectF &rect, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(rect, radius, radius);
  return path;
}

QPainterPath bodyFace() { return roundedRect(layout::kBodyFront, layout::kBodyCornerRadius); }
QPainterPath headFace() { return roundedRect(layout::kHeadFront, layout::kHeadCornerRadius); }
QPainterPath footFace() {
  return roundedRect(layout::kFootFront, kFootCornerRadius)
      .translated(layout::kDepth * layout::kFootRecess);
}
QPainterPath neckFace() {
  return roundedRect(layout::kNeckFront, kNeckCornerRadius)
      .translated(layout::kDepth * layout::kNeckRecess);
}

// The back face of a part: lighter at the top, with a thin rim light along its upper
// and left edges.
void drawBackFace(QPainter &painter, const QPainterPath &face) {
  const QRectF box = face.boundingRect();
  QLinearGradient shade(box.topLeft(), box.bottomLeft());
  shade.setColorAt(0, palette::shellFrontTop());
  shade.setColorAt(1, palette::shellFrontBottom());
  painter.setPen(Qt::NoPen);
  painter.setBrush(shade);
  painter.drawPath(face);

  QLinearGradient rim(box.topLeft(), box.bottomRight());
  QColor faded = palette::rimLight();
  faded.setAlpha(0);
  rim.setColorAt(0, palette::rimLight());
  rim.setColorAt(kRimFadesAt, faded);
  painter.save();
  painter.setClipPath(face);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(QBrush(rim), 2 * kRimWidth));  // half of it falls outside the clip
  painter.drawPath(face);
  painter.restore();
}

// The neck is a cylinder lying across: light along its upper middle, dark at the ends.
void drawNeckFace(QPainter &painter, const QPainterPath &face) {
  const QRectF box = face.boundingRect();
  QLinearGradient across(box.topLeft(), box.topRight());
  across.setColorAt(0, palette::shellFrontBottom());
  across.setColorAt(kNeckHighlightAt, palette::shellFrontTop());
  across.setColorAt(1, palette::foot());
  painter.setPen(Qt::NoPen);
  painter.setBrush(across);
  painter.drawPath(face);
}

void drawPart(QPainter &painter, const QPainterPath &face, qreal depth, const QColor &material) {
  solid::drawSides(painter, face, layout::kDepth * depth, material);
  drawBackFace(painter, face);
}

void drawHeadGroove(QPainter &painter) {
  const QRectF head = layout::kHeadFront;
  const qreal y = head.top() + head.height() * kHeadGrooveAt;
  const qreal left = head.left() + kHeadGrooveInset;
  const qreal right = head.right() - kHeadGrooveInset;
  painter.setPen(QPen(palette::shellFrontBottom().darker(kGrooveDarken), 1));
  painter.drawLine(QPointF(left, y), QPointF(right, y));
  painter.setPen(QPen(palette::rimLight(), kGrooveHighlightWeight));
  painter.drawLine(QPointF(left, y + 1), QPointF(right, y + 1));
}

void drawWordmark(QPainter &painter) {
  const QRectF head = layout::kHeadFront;
  // Centred in the part of the head above the groove.
  const QPointF centre(head.center().x(), head.top() + head.height() * kHeadGrooveAt / 2);
  QPen pen(palette::wordmark(), layout::kWordmarkCapHeight * kWordmarkWeight);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  lettering::drawCentred(painter, QStringLiteral("STROBIX"), centre,
                         layout::kWordmarkCapHeight, kWordmarkTracking, pen);
}

}  // namespace

namespace unit {

QPainterPath silhouette() {
  QPainterPath all = solid::sweptOutline(bodyFace(), layout::kDepth);
  all = all.united(solid::sweptOutline(headFace(), layout::kDepth));
  all = all.united(solid::sweptOutline(footFace(), layout::kDepth * layout::kFootDepth));
  return all;
}

void drawShadow(QPainter &painter) {
  shadow::drawSoft(painter, silhouette(), kShadowOffset, kShadowBlur, palette::dropShadow());
}

void drawShell(QPainter &painter) {
  painter.save();
  drawPart(painter, footFace(), layout::kFootDepth, palette::foot());
  drawPart(painter, bodyFace(), 1, palette::shell());
  solid::drawSides(painter, neckFace(), layout::kDepth * layout::kNeckDepth, palette::foot());
  drawNeckFace(painter, neckFace());
  drawPart(painter, headFace(), 1, palette::shell());
  drawHeadGroove(painter);
  drawWordmark(painter);
  painter.restore();
}

}  // namespace unit
