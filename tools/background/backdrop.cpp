#include "backdrop.h"

#include "layout.h"
#include "palette.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

// The glow sits behind the unit's middle and fades out before the text column.
constexpr QPointF kGlowCentre{360, 280};
constexpr qreal kGlowRadius = 300;
// The corners of the dark area fall off a little further.
constexpr int kVignetteStrength = 70;  // alpha at the far corners
constexpr qreal kVignetteStart = 0.55;  // fraction of the way out to the corners
// The soft shadow the pale strip casts upwards, in pixels.
constexpr qreal kBandShadowHeight = 10;

void drawDarkGradient(QPainter &painter) {
  QLinearGradient shade(0, 0, 0, layout::kStatusBandTop);
  shade.setColorAt(0, palette::backdropTop());
  shade.setColorAt(1, palette::backdropBottom());
  painter.fillRect(QRectF(0, 0, layout::kImageWidth, layout::kStatusBandTop), shade);
}

void drawGlow(QPainter &painter) {
  QRadialGradient glow(kGlowCentre, kGlowRadius);
  QColor outer = palette::backdropGlow();
  outer.setAlpha(0);
  glow.setColorAt(0, palette::backdropGlow());
  glow.setColorAt(1, outer);
  painter.fillRect(QRectF(0, 0, layout::kImageWidth, layout::kStatusBandTop), glow);
}

void drawVignette(QPainter &painter) {
  const QPointF middle(layout::kImageWidth / 2.0, layout::kStatusBandTop / 2.0);
  const qreal reach = QLineF(middle, QPointF(0, 0)).length();
  QRadialGradient vignette(middle, reach);
  vignette.setColorAt(kVignetteStart, QColor(0, 0, 0, 0));
  vignette.setColorAt(1, QColor(0, 0, 0, kVignetteStrength));
  painter.fillRect(QRectF(0, 0, layout::kImageWidth, layout::kStatusBandTop), vignette);
}

void drawStatusBand(QPainter &painter) {
  const QRectF band(0, layout::kStatusBandTop, layout::kImageWidth,
                    layout::kImageHeight - layout::kStatusBandTop);
  QLinearGradient shade(band.topLeft(), band.bottomLeft());
  shade.setColorAt(0, palette::bandTop());
  shade.setColorAt(1, palette::bandBottom());
  painter.fillRect(band, shade);

  // A faint dark line and a soft shadow where the strip meets the dark area.
  QLinearGradient edge(0, layout::kStatusBandTop, 0, layout::kStatusBandTop - kBandShadowHeight);
  QColor clear = palette::bandEdgeShadow();
  clear.setAlpha(0);
  edge.setColorAt(0, palette::bandEdgeShadow());
  edge.setColorAt(1, clear);
  painter.fillRect(QRectF(0, layout::kStatusBandTop - kBandShadowHeight, layout::kImageWidth,
                          kBandShadowHeight),
                   edge);
}

}  // namespace

namespace backdrop {

void draw(QPainter &painter) {
  drawDarkGradient(painter);
  drawGlow(painter);
  drawVignette(painter);
  drawStatusBand(painter);
}

}  // namespace backdrop
