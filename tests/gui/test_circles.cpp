// The marker rings: where their widgets sit and where the ring is painted.

#include "gui/circle.h"
#include "gui/settings.h"

#include <QImage>
#include <QtTest>
#include <cmath>

namespace {

// Only what the ring paints: the widget's background, which the window never sees, is left out.
QImage painted(Circle* circle)
{
    QImage image(circle->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    circle->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Distance of a pixel's centre from the centre of a widget of the given size.
double distance_from_centre(int x, int y, int side)
{
    return std::hypot(x + 0.5 - side / 2.0, y + 0.5 - side / 2.0);
}

}  // namespace

class TestCircles : public QObject {
    Q_OBJECT

private slots:
    void default_entries_become_widgets()
    {
        QWidget parent;
        parent.resize(665, 517);
        add_circles(Settings::make_GUI(QStringLiteral(":resources/settings_GUI.json")).circles, &parent);
        const QList<Circle*> circles = parent.findChildren<Circle*>();
        QCOMPARE(circles.size(), 2);
        QCOMPARE(circles[0]->geometry(), QRect(268, 340, 30, 30));
        QCOMPARE(circles[1]->geometry(), QRect(373, 303, 26, 26));
        QVERIFY(circles[0]->isVisibleTo(&parent));
        QCOMPARE(circles[0]->sizePolicy(), QSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed));
        QVERIFY(!circles[0]->autoFillBackground());
    }

    void set_center_moves_the_widget()
    {
        QWidget parent;
        Circle circle({QPoint(50, 60), 10, 4, Qt::red}, &parent);
        QCOMPARE(circle.geometry(), QRect(40, 50, 20, 20));
        circle.setCenter(QPoint(5, 5));
        QCOMPARE(circle.pos(), QPoint(-5, -5));
        circle.setup();
        QCOMPARE(circle.geometry(), QRect(-5, -5, 20, 20));
    }

    void ring_is_painted_where_the_rule_puts_it_data()
    {
        QTest::addColumn<int>("radius");
        QTest::addColumn<int>("pen_width");
        QTest::addColumn<double>("inner");
        QTest::addColumn<double>("outer");
        // a = radius - pen_width / 2; the stroke covers a ± pen_width / 2 around the centre.
        QTest::newRow("r 10, w 4") << 10 << 4 << 6.0 << 10.0;
        QTest::newRow("r 12, w 5") << 12 << 5 << 7.5 << 12.5;
        QTest::newRow("default On button") << 15 << 15 << 0.5 << 15.5;
        QTest::newRow("default Menu button D") << 13 << 13 << 0.5 << 13.5;
        QTest::newRow("hairline") << 10 << 0 << 9.5 << 10.5;
    }
    void ring_is_painted_where_the_rule_puts_it()
    {
        QFETCH(int, radius);
        QFETCH(int, pen_width);
        QFETCH(double, inner);
        QFETCH(double, outer);
        const QColor colour(0xFF, 0x40, 0x40, 0x60);
        QWidget parent;
        parent.show();
        Circle circle({QPoint(40, 40), radius, pen_width, colour}, &parent);
        circle.show();
        const QImage image = painted(&circle);
        QCOMPARE(image.size(), QSize(2 * radius, 2 * radius));

        int ring_pixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const double d = distance_from_centre(x, y, 2 * radius);
                const QRgb pixel = image.pixel(x, y);
                // A pixel wholly inside the stroke has its colour; one clear of it, nothing.
                if (d > inner + 1 && d < outer - 1) {
                    ++ring_pixels;
                    QVERIFY2(qAbs(qAlpha(pixel) - 0x60) <= 2, qPrintable(QStringLiteral("ring at %1,%2").arg(x).arg(y)));
                    QCOMPARE(qRed(pixel), 0xFF);
                    QVERIFY(qAbs(qGreen(pixel) - 0x40) <= 3);
                } else if (d < inner - 1 || d > outer + 1) {
                    QVERIFY2(qAlpha(pixel) == 0, qPrintable(QStringLiteral("paint at %1,%2").arg(x).arg(y)));
                } else if (pen_width == 0 && qAlpha(pixel) > 0) {
                    ++ring_pixels;
                }
            }
        }
        QVERIFY(ring_pixels > 0);
    }

    void zero_radius_draws_nothing()
    {
        QWidget parent;
        Circle circle({QPoint(10, 10), 0, 0, Qt::red}, &parent);
        QCOMPARE(circle.size(), QSize(0, 0));
        QCOMPARE(circle.pos(), QPoint(10, 10));
        QVERIFY(painted(&circle).isNull());
    }
};

QTEST_MAIN(TestCircles)
#include "test_circles.moc"
