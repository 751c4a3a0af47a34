// draw_background OUTPUT.jpg
//
// Paints the upgrade window's 665 x 517 background: a Strobix flash unit seen from its
// back, on a dark backdrop with a pale strip along the bottom, and writes it as a JPEG.
// Everything is drawn from shapes (no fonts, no randomness), so every run writes the
// same picture.
#include "backdrop.h"
#include "layout.h"
#include "unit_body.h"
#include "unit_panel.h"
#include "usb.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitWriteFailed = 1;

QImage drawPicture() {
  QImage picture(layout::kImageWidth, layout::kImageHeight, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  backdrop::draw(painter);
  unit::drawShadow(painter);
  unit::drawShell(painter);
  unit::drawDisplay(painter);
  unit::drawMenuButtons(painter);
  unit::drawLowerControls(painter);
  usb::drawSocket(painter);
  usb::drawCable(painter);
  painter.end();
  return picture;
}

bool writeJpeg(const QImage &picture, const QString &path, QString *error) {
  QImageWriter writer(path, "jpg");
  writer.setQuality(layout::kJpegQuality);
  if (writer.write(picture)) return true;
  *error = writer.errorString();
  return false;
}

}  // namespace

int main(int argc, char *argv[]) {
  // Nothing here needs a display: the picture is painted into an image. The
  // application object only tells Qt where its image format plugins are.
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: draw_background OUTPUT.jpg\n");
    return kExitUsage;
  }
  QString error;
  if (!writeJpeg(drawPicture(), args.at(1), &error)) {
    std::fprintf(stderr, "draw_background: cannot write %s: %s\n", qPrintable(args.at(1)),
                 qPrintable(error));
    return kExitWriteFailed;
  }
  return 0;
}
