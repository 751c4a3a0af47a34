// Start-up without usable Strobix font files keeps the platform's font.
//
// A program of its own: the fonts are registered at most once per process.

#include "gui/fonts.h"
#include "support/log_capture.h"

#include <QApplication>
#include <QtTest>

class TestFontsUnavailable : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void missing_fonts_leave_default_font();
    void cleanupTestCase();
};

void TestFontsUnavailable::initTestCase()
{
    // Without its collection the tool finds no font files at their resource paths.
    Q_CLEANUP_RESOURCE(fonts);
    QVERIFY(!QFile::exists(":resources/StrobixSans-Regular.otf"));
}

void TestFontsUnavailable::missing_fonts_leave_default_font()
{
    const QFont before = QApplication::font();
    LogCapture log;
    support::setup_fonts();

    QCOMPARE(support::strobix_font_name, QString());
    QCOMPARE(QApplication::font(), before);
    QCOMPARE(log.messages(QtWarningMsg),
             (QStringList{"Unable to load font from \":resources/StrobixSans-Regular.otf\"",
                          "Unable to load font from \":resources/StrobixSans-Bold.otf\"",
                          "Unable to load/set the Strobix font as default"}));
    QCOMPARE(log.messages(QtInfoMsg), QStringList{});
}

void TestFontsUnavailable::cleanupTestCase()
{
    Q_INIT_RESOURCE(fonts);
}

QTEST_MAIN(TestFontsUnavailable)
#include "test_fonts_unavailable.moc"
