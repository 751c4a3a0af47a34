#include "unit_panel.h"

#include "layout.h"
#include "lettering.h"
#include "palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace {

// --- buttons ---------------------------------------------------------------------------
constexpr qreal kRecessWidth = 2;    // dark gap around a button, in its hole
constexpr qreal kLipOffset = 1;      // light lip below the hole, where the shell turns in
constexpr qreal kGlyphSize = 4;      // half the size of a menu button's symbol
constexpr qreal kGlyphWeight = 1.4;
constexpr qreal kPowerSymbolRadius = 5.5;
constexpr qreal kPowerSymbolGap = 70;  // degrees left open at the top of the ring
constexpr qreal kPowerSymbolWeight = 1.7;
constexpr qreal kTestCapHeight = 6.5;
constexpr qreal kTestWeight = 1.1;
constexpr qreal kTestTracking = 0.32;

// --- display -----------------------------------------------------------------------------
constexpr qreal kScreenMargin = 9;     // from the screen's edge to its content
constexpr qreal kBoltWidth = 10;
constexpr qreal kBoltHeight = 16;
constexpr int kLevelBars = 8;          // flash power, 1/128 .. 1/1
constexpr int kLevelBarsLit = 5;
constexpr qreal kLevelBarWidth = 7;
constexpr qreal kLevelBarGap = 3;
constexpr qreal kLevelBarShortest = 4;
constexpr qreal kLevelBarStep = 3;     // each bar this much taller than the one before
constexpr qreal kBatteryWidth = 20;
constexpr qreal kBatteryHeight = 10;
constexpr qreal kBatteryNub = 2;
constexpr int kBatteryCells = 3;
constexpr qreal kZoomArcRadius = 13;   // the beam-width fan at the screen's right
constexpr qreal kZoomSpread = 40;      // degrees
constexpr qreal kInkWeight = 1.2;
constexpr qreal kTubeWidth = 5;        // the flash tube at the fan's apex
constexpr qreal kTubeHeight = 6;
// A hairline parts the status row from the level bars, a little above the middle; the
// half pixel puts it on a pixel row.
constexpr qreal kDividerAboveMiddle = 4.5;
// The glare band across the glass: where it meets the bezel's top and bottom edges, as
// fractions of the bezel's width.
constexpr qreal kGlareTop = 0.62;
constexpr qreal kGlareBottom = 0.34;
// The sheen on a button cap: how bright, and how far down it reaches (cap heights).
constexpr int kSheenAlpha = 55;
constexpr qreal kSheenReach = 0.8;
constexpr qreal kBatteryInset = 2;     // between the battery's outline and its cells
constexpr qreal kBatteryCellGap = 1;
// The unlit ready lamp's lens: a glint up and to the left of its middle.
constexpr QPointF kLampGlintOffset{-1, -1};
constexpr int kLampGlint = 180;        // percent, for QColor::lighter

QPainterPath roundedRect(const QRectF &rect, qreal radius) {
  QPainterPath path;
  path.addRoundedRect(rect, radius, radius);
  return path;
}

QRectF around(QPointF centre, qreal width, qreal height) {
  return QRectF(centre.x() - width / 2, centre.y() - height / 2, width, height);
}

// A button in its hole: light lip below, dark gap around, convex cap lit from above left.
void drawButtonCap(QPainter &painter, const QRectF &cap, qreal cornerRadius) {
  const qreal hole = cornerRadius + kRecessWidth;
  const QRectF holeRect = cap.adjusted(-kRecessWidth, -kRecessWidth, kRecessWidth, kRecessWidth);
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::rimLight());
  painter.drawPath(roundedRect(holeRect.translated(0, kLipOffset), hole));
  painter.setBrush(palette::buttonRecess());
  painter.drawPath(roundedRect(holeRect, hole));

  QLinearGradient body(cap.topLeft(), cap.bottomRight());
  body.setColorAt(0, palette::buttonLight());
  body.setColorAt(1, palette::buttonDark());
  painter.setBrush(body);
  painter.drawPath(roundedRect(cap, cornerRadius));

  // A soft sheen on the upper half.
  QRadialGradient sheen(QPointF(cap.center().x(), cap.top()), cap.height() * kSheenReach);
  sheen.setColorAt(0, QColor(255, 255, 255, kSheenAlpha));
  sheen.setColorAt(1, QColor(255, 255, 255, 0));
  painter.setBrush(sheen);
  painter.drawPath(roundedRect(cap, cornerRadius));
}

QPen glyphPen(qreal weight) {
  QPen pen(palette::buttonGlyph(), weight);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

// Menu button symbols: A previous, B next, C mode, D menu.
void drawMenuGlyph(QPainter &painter, int index, QPointF c) {
  const qreal s = kGlyphSize;
  painter.setPen(glyphPen(kGlyphWeight));
  painter.setBrush(Qt::NoBrush);
  switch (index) {
    case 0:
      painter.drawPolyline(QPolygonF({c + QPointF(s / 2, -s), c + QPointF(-s / 2, 0),
                                      c + QPointF(s / 2, s)}));
      break;
    case 1:
      painter.drawPolyline(QPolygonF({c + QPointF(-s / 2, -s), c + QPointF(s / 2, 0),
                                      c + QPointF(-s / 2, s)}));
      break;
    case 2:
      painter.drawEllipse(c, s * 0.8, s * 0.8);
      break;
    default:
      for (int line = -1; line <= 1; ++line)
        painter.drawLine(c + QPointF(-s, line * s * 0.7), c + QPointF(s, line * s * 0.7));
      break;
  }
}

void drawPowerSymbol(QPainter &painter, QPointF c) {
  const qreal r = kPowerSymbolRadius;
  QPainterPath ring;
  const qreal start = 90 + kPowerSymbolGap / 2;
  ring.arcMoveTo(around(c, 2 * r, 2 * r), start);
  ring.arcTo(around(c, 2 * r, 2 * r), start, 360 - kPowerSymbolGap);
  ring.moveTo(c + QPointF(0, -r - 1));
  ring.lineTo(c + QPointF(0, -1));
  painter.setPen(glyphPen(kPowerSymbolWeight));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(ring);
}

// --- display content -------------------------------------------------------------------

void drawBolt(QPainter &painter, QPointF topLeft) {
  const qreal w = kBoltWidth;
  const qreal h = kBoltHeight;
  const QPolygonF bolt({topLeft + QPointF(0.6 * w, 0), topLeft + QPointF(0, 0.58 * h),
                        topLeft + QPointF(0.45 * w, 0.58 * h), topLeft + QPointF(0.3 * w, h),
                        topLeft + QPointF(w, 0.4 * h), topLeft + QPointF(0.55 * w, 0.4 * h)});
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::screenInk());
  painter.drawPolygon(bolt);
}

void drawLevelBars(QPainter &painter, QPointF bottomLeft) {
  painter.setPen(Qt::NoPen);
  for (int i = 0; i < kLevelBars; ++i) {
    const qreal height = kLevelBarShortest + i * kLevelBarStep;
    const QRectF bar(bottomLeft.x() + i * (kLevelBarWidth + kLevelBarGap),
                     bottomLeft.y() - height, kLevelBarWidth, height);
    painter.setBrush(i < kLevelBarsLit ? palette::screenInk() : palette::screenInkDim());
    painter.drawRect(bar);
  }
}

void drawBattery(QPainter &painter, QPointF topRight) {
  const QRectF shell(topRight.x() - kBatteryWidth - kBatteryNub, topRight.y(), kBatteryWidth,
                     kBatteryHeight);
  painter.setPen(QPen(palette::screenInk(), kInkWeight));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(shell);
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::screenInk());
  painter.drawRect(QRectF(shell.right(), shell.center().y() - kBatteryHeight / 4, kBatteryNub,
                          kBatteryHeight / 2));
  const qreal cellWidth =
      (kBatteryWidth - 2 * kBatteryInset - (kBatteryCells - 1) * kBatteryCellGap) / kBatteryCells;
  for (int i = 0; i < kBatteryCells; ++i)
    painter.drawRect(QRectF(shell.left() + kBatteryInset + i * (cellWidth + kBatteryCellGap),
                            shell.top() + kBatteryInset, cellWidth,
                            kBatteryHeight - 2 * kBatteryInset));
}

// The zoom (beam angle) symbol: a short tube with its fan of light.
void drawZoomFan(QPainter &painter, QPointF apex) {
  painter.setPen(QPen(palette::screenInk(), kInkWeight));
  painter.setBrush(Qt::NoBrush);
  const QRectF arc = around(apex, 2 * kZoomArcRadius, 2 * kZoomArcRadius);
  QPainterPath fan;
  fan.moveTo(apex);
  fan.arcTo(arc, -kZoomSpread / 2, kZoomSpread);
  fan.closeSubpath();
  painter.drawPath(fan);
  painter.setBrush(palette::screenInk());
  painter.drawRect(QRectF(apex.x() - kTubeWidth, apex.y() - kTubeHeight / 2, kTubeWidth,
                          kTubeHeight));
}

void drawScreenContent(QPainter &painter, const QRectF &screen) {
  const QRectF inner = screen.adjusted(kScreenMargin, kScreenMargin, -kScreenMargin,
                                       -kScreenMargin);
  drawBolt(painter, inner.topLeft());
  drawBattery(painter, inner.topRight());
  drawLevelBars(painter, inner.bottomLeft());
  drawZoomFan(painter, QPointF(inner.right() - kZoomArcRadius, inner.bottom() - kZoomArcRadius / 2));
  // A hairline between the status row and the level bars.
  painter.setPen(QPen(palette::screenInkDim(), 1));
  const qreal y = std::round(screen.center().y()) - kDividerAboveMiddle;
  painter.drawLine(QPointF(inner.left(), y), QPointF(inner.right(), y));
}

void drawGlare(QPainter &painter, const QRectF &bezel) {
  // A band of reflected light across the upper left of the glass.
  QPainterPath glare;
  glare.moveTo(bezel.topLeft());
  glare.lineTo(bezel.left() + bezel.width() * kGlareTop, bezel.top());
  glare.lineTo(bezel.left() + bezel.width() * kGlareBottom, bezel.bottom());
  glare.lineTo(bezel.bottomLeft());
  glare.closeSubpath();
  QLinearGradient fade(bezel.topLeft(), bezel.bottomLeft());
  fade.setColorAt(0, palette::glassGlare());
  fade.setColorAt(1, QColor(255, 255, 255, 0));
  painter.save();
  painter.setClipPath(roundedRect(bezel, layout::kBezelCornerRadius));
  painter.setPen(Qt::NoPen);
  painter.setBrush(fade);
  painter.drawPath(glare);
  painter.restore();
}

}  // namespace

namespace unit {

void drawDisplay(QPainter &painter) {
  const QRectF bezel = layout::kBezel;
  painter.save();
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette::rimLight());
  painter.drawPath(roundedRect(bezel.translated(0, kLipOffset), layout::kBezelCornerRadius));
  painter.setBrush(palette::bezel());
  painter.drawPath(roundedRect(bezel, layout::kBezelCornerRadius));

  const QRectF screen = bezel.adjusted(layout::kScreenInset, layout::kScreenInset,
                                       -layout::kScreenInset, -layout::kScreenInset);
  QLinearGradient backlight(screen.topLeft(), screen.bottomLeft());
  backlight.setColorAt(0, palette::screenTop());
  backlight.setColorAt(1, palette::screenBottom());
  painter.setBrush(backlight);
  painter.drawPath(roundedRect(screen, layout::kScreenCornerRadius));
  drawScreenContent(painter, screen);
  drawGlare(painter, bezel);
  painter.restore();
}

void drawMenuButtons(QPainter &painter) {
  painter.save();
  for (int i = 0; i < layout::kMenuButtonCount; ++i) {
    const QPointF centre(layout::kMenuButtonACentreX + i * layout::kMenuButtonPitch,
                         layout::kMenuButtonDCentre.y());
    const qreal size = 2 * layout::kMenuButtonRadius;
    drawButtonCap(painter, around(centre, size, size), layout::kMenuButtonRadius);
    drawMenuGlyph(painter, i, centre);
  }
  painter.restore();
}

void drawLowerControls(QPainter &painter) {
  painter.save();
  const qreal onSize = 2 * layout::kOnButtonRadius;
  drawButtonCap(painter, around(layout::kOnButtonCentre, onSize, onSize), layout::kOnButtonRadius);
  drawPowerSymbol(painter, layout::kOnButtonCentre);

  const QRectF test = around(layout::kTestButtonCentre, layout::kTestButtonWidth,
                             layout::kTestButtonHeight);
  drawButtonCap(painter, test, layout::kTestButtonHeight / 2);
  QPen letters(palette::buttonGlyph(), kTestWeight);
  letters.setCapStyle(Qt::FlatCap);
  lettering::drawCentred(painter, QStringLiteral("TEST"), layout::kTestButtonCentre,
                         kTestCapHeight, kTestTracking, letters);

  // The ready lamp, unlit: a small amber lens with a glint.
  QRadialGradient lens(layout::kReadyLampCentre + kLampGlintOffset,
                       2 * layout::kReadyLampRadius);
  lens.setColorAt(0, palette::readyLampOff().lighter(kLampGlint));
  lens.setColorAt(1, palette::readyLampOff());
  painter.setPen(QPen(palette::buttonRecess(), 1));
  painter.setBrush(lens);
  painter.drawEllipse(layout::kReadyLampCentre, layout::kReadyLampRadius,
                      layout::kReadyLampRadius);
  painter.restore();
}

}  // namespace unit
