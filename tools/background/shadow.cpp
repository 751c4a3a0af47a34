#include "shadow.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Three box blurs in a row come close to a Gaussian one.
constexpr int kBoxPasses = 3;

// One box blur of one row or column of alpha values, in place.
void boxBlurLine(uchar *first, int count, int stride, int radius, std::vector<int> &scratch) {
  scratch.resize(count);
  for (int i = 0; i < count; ++i) scratch[i] = first[i * stride];
  const int window = 2 * radius + 1;
  int sum = 0;
  for (int i = -radius; i <= radius; ++i) sum += scratch[std::clamp(i, 0, count - 1)];
  for (int i = 0; i < count; ++i) {
    first[i * stride] = static_cast<uchar>((sum + window / 2) / window);
    sum += scratch[std::min(i + radius + 1, count - 1)];
    sum -= scratch[std::max(i - radius, 0)];
  }
}

void blurAlpha(QImage &mask, int radius) {
  std::vector<int> scratch;
  for (int pass = 0; pass < kBoxPasses; ++pass) {
    for (int y = 0; y < mask.height(); ++y)
      boxBlurLine(mask.scanLine(y), mask.width(), 1, radius, scratch);
    for (int x = 0; x < mask.width(); ++x)
      boxBlurLine(mask.bits() + x, mask.height(), mask.bytesPerLine(), radius, scratch);
  }
}

}  // namespace

namespace shadow {

void drawSoft(QPainter &painter, const QPainterPath &shape, QPointF offset, qreal radius,
              const QColor &colour) {
  const QSize size = painter.device() ? QSize(painter.device()->width(),
                                              painter.device()->height())
                                      : QSize();
  QImage mask(size, QImage::Format_Alpha8);
  mask.fill(0);
  {
    QPainter maskPainter(&mask);
    maskPainter.setRenderHint(QPainter::Antialiasing);
    maskPainter.setPen(Qt::NoPen);
    maskPainter.setBrush(QColor(0, 0, 0, colour.alpha()));
    maskPainter.drawPath(shape.translated(offset));
  }
  // Each box pass spreads by its radius; three of them add up to about `radius`.
  blurAlpha(mask, std::max(1, static_cast<int>(std::lround(radius / kBoxPasses))));

  QImage tinted(size, QImage::Format_ARGB32_Premultiplied);
  tinted.fill(QColor(colour.red(), colour.green(), colour.blue()));
  {
    QPainter tintPainter(&tinted);
    tintPainter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    tintPainter.drawImage(0, 0, mask);
  }
  painter.drawImage(0, 0, tinted);
}

}  // namespace shadow
