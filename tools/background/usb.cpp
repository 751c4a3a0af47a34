#include "usb.h"

#include "layout.h"
#include "palette.h"
#include "shadow.h"
#include "solid.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

#include <cmath>

namespace {

// The socket and the plug are lined up on the socket's middle. Along the unit's depth a
// drawn pixel is this fraction of one unit-depth.
const qreal kDepthLength = std::hypot(layout::kDepth.x(), layout::kDepth.y());

constexpr qreal kHoleScale = 0.72;       // the socket's dark opening inside its metal rim
constexpr qreal kTongueLength = 0.6;     // the contact tongue, fraction of the socket
constexpr qreal kTongueRaise = 1.0 / 8;  // above the opening's middle, fraction of its height
constexpr int kTongueShine = 130;        // percent, for QColor::lighter
constexpr qreal kGripCorner = 2;
constexpr int kGripSheen = 115;          // percent, for QColor::lighter: the near face's top
constexpr qreal kReliefLength = 11;      // the tapered sleeve where the cable leaves
constexpr qreal kReliefStartRadius = 4.5;
constexpr qreal kReliefEndRadius = 3.6;
// The cable droops a little and leaves the picture at its right edge, towards the computer.
constexpr QPointF kCableBend1{70, 4};     // control points, from the sleeve's end
constexpr QPointF kCableBend2{110, 36};
constexpr QPointF kCableExit{200, 28};    // beyond the right edge
constexpr qreal kCableShadowBlur = 6;
constexpr QPointF kCableShadowOffset{4, 9};
constexpr qreal kHighlightWeight = 1.6;
constexpr qreal kHighlightLift = 1.6;     // the highlight runs this far above the middle

// A point on the unit at back-face position (x, y), `depth` unit-depths away.
QPointF project(qreal x, qreal y, qreal depth) { return QPointF(x, y) + layout::kDepth * depth; }

qreal socketX() { return layout::kBodyFront.right(); }

// Depth fraction of a length drawn along the depth.
qreal depthOf(qreal drawnLength) { return drawnLength / kDepthLength; }

// The Micro-B outline (flat top, slanted lower corners) on the plane x = `x`,
// `scale` times the socket's size, around the socket's middle.
QPainterPath microB(qreal x, qreal scale) {
  const qreal t = layout::kSocketDepthPosition;
  const qreal halfT = depthOf(layout::kSocketLength / 2) * scale;
  const qreal chamferT = depthOf(layout::kSocketChamfer) * scale;
  const qreal halfH = layout::kSocketHeight / 2 * scale;
  const qreal y = layout::kSocketCentreY;
  QPolygonF outline({project(x, y - halfH, t - halfT), project(x, y - halfH, t + halfT),
                     project(x, y, t + halfT), project(x, y + halfH, t + halfT - chamferT),
                     project(x, y + halfH, t - halfT + chamferT), project(x, y, t - halfT)});
  QPainterPath path;
  path.addPolygon(outline);
  path.closeSubpath();
  return path;
}

void drawPlugShell(QPainter &painter, qreal x) {
  const QPainterPath shell = solid::sweptOutline(microB(x, 1), QPointF(layout::kPlugShellLength, 0));
  const QRectF box = shell.boundingRect();
  QLinearGradient shine(box.topLeft(), box.bottomLeft());
  shine.setColorAt(0, palette::metal());
  shine.setColorAt(1, palette::metalDark());
  painter.setPen(Qt::NoPen);
  painter.setBrush(shine);
  painter.drawPath(shell);
}

// The moulded grip: a small box whose near face, top and cable end show.
void drawPlugGrip(QPainter &painter, qreal x0, qreal x1) {
  const qreal halfT = depthOf(layout::kPlugBodyLengthwise / 2);
  const qreal t0 = layout::kSocketDepthPosition - halfT;
  const qreal t1 = layout::kSocketDepthPosition + halfT;
  const qreal y0 = layout::kSocketCentreY - layout::kPlugBodyHeight / 2;
  const qreal y1 = layout::kSocketCentreY + layout::kPlugBodyHeight / 2;

  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::plugLight());
  painter.drawPolygon(QPolygonF({project(x0, y0, t0), project(x1, y0, t0), project(x1, y0, t1),
                                 project(x0, y0, t1)}));  // top
  painter.setBrush(palette::plugDark());
  painter.drawPolygon(QPolygonF({project(x1, y0, t0), project(x1, y0, t1), project(x1, y1, t1),
                                 project(x1, y1, t0)}));  // cable end
  const QRectF near(project(x0, y0, t0), project(x1, y1, t0));
  QLinearGradient shade(near.topLeft(), near.bottomLeft());
  shade.setColorAt(0, palette::plugLight().lighter(kGripSheen));
  shade.setColorAt(1, palette::plugDark());
  painter.setBrush(shade);
  painter.drawRoundedRect(near, kGripCorner, kGripCorner);
}

QPointF cableStart(qreal gripEnd) {
  return project(gripEnd, layout::kSocketCentreY, layout::kSocketDepthPosition);
}

void drawRelief(QPainter &painter, QPointF start) {
  const QPointF end = start + QPointF(kReliefLength, 0);
  const QPolygonF sleeve({start + QPointF(0, -kReliefStartRadius), end + QPointF(0, -kReliefEndRadius),
                          end + QPointF(0, kReliefEndRadius), start + QPointF(0, kReliefStartRadius)});
  QLinearGradient shade(start + QPointF(0, -kReliefStartRadius), start + QPointF(0, kReliefStartRadius));
  shade.setColorAt(0, palette::plugLight());
  shade.setColorAt(1, palette::plugDark());
  painter.setPen(Qt::NoPen);
  painter.setBrush(shade);
  painter.drawPolygon(sleeve);
}

QPainterPath cablePath(QPointF from) {
  QPainterPath path(from);
  path.cubicTo(from + kCableBend1, from + kCableBend2, from + kCableExit);
  return path;
}

void drawCableLine(QPainter &painter, const QPainterPath &path) {
  QPen body(palette::cable(), layout::kCableWidth);
  body.setCapStyle(Qt::FlatCap);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(body);
  painter.drawPath(path);
  QPen highlight(palette::cableHighlight(), kHighlightWeight);
  highlight.setCapStyle(Qt::FlatCap);
  painter.setPen(highlight);
  painter.drawPath(path.translated(0, -kHighlightLift));
}

}  // namespace

namespace usb {

void drawSocket(QPainter &painter) {
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::metalDark());
  painter.drawPath(microB(socketX(), 1));
  painter.setBrush(palette::socketHole());
  painter.drawPath(microB(socketX(), kHoleScale));
  // The contact tongue along the upper part of the opening.
  const qreal t = layout::kSocketDepthPosition;
  const qreal halfT = depthOf(layout::kSocketLength / 2) * kTongueLength;
  const qreal y = layout::kSocketCentreY - layout::kSocketHeight * kTongueRaise;
  painter.setPen(QPen(palette::metalDark().lighter(kTongueShine), 1));
  painter.drawLine(project(socketX(), y, t - halfT), project(socketX(), y, t + halfT));
  painter.restore();
}

void drawCable(QPainter &painter) {
  const qreal shellStart = socketX() + layout::kPlugGap;
  const qreal gripStart = shellStart + layout::kPlugShellLength;
  const qreal gripEnd = gripStart + layout::kPlugBodyLength;
  const QPointF sleeveStart = cableStart(gripEnd);
  const QPainterPath cable = cablePath(sleeveStart + QPointF(kReliefLength, 0));

  painter.save();
  QPainterPathStroker stroker;
  stroker.setWidth(layout::kCableWidth);
  shadow::drawSoft(painter, stroker.createStroke(cable), kCableShadowOffset, kCableShadowBlur,
                   palette::dropShadow());
  drawCableLine(painter, cable);
  drawRelief(painter, sleeveStart);
  drawPlugShell(painter, shellStart);
  drawPlugGrip(painter, gripStart, gripEnd);
  painter.restore();
}

}  // namespace usb
