// The Strobix fonts become the application's default font, once.

#include "gui/fonts.h"
#include "support/log_capture.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTemporaryFile>
#include <QtTest>

namespace {

// The font database hands out small ids in order; counting the ones in use shows
// whether anything was registered.
int registered_font_files()
{
    int in_use = 0;
    for (int id = 0; id < 64; ++id)
        if (!QFontDatabase::applicationFontFamilies(id).isEmpty())
            ++in_use;
    return in_use;
}

}  // namespace

class TestFonts : public QObject {
    Q_OBJECT

private slots:
    // setup_fonts registers once per process, so these go in order.
    void setup_makes_strobix_sans_the_default_font();
    void second_load_registers_nothing();

    void unusable_font_file_gives_no_family_data();
    void unusable_font_file_gives_no_family();
    void empty_family_leaves_default_font();
};

void TestFonts::setup_makes_strobix_sans_the_default_font()
{
    LogCapture log;
    support::setup_fonts();

    QCOMPARE(support::strobix_font_name, QStringLiteral("Strobix Sans"));
    const QFont font = QApplication::font();
    QCOMPARE(font.family(), QStringLiteral("Strobix Sans"));
    QCOMPARE(font.pointSize(), 11);
    QCOMPARE(font.weight(), int(QFont::Normal));
    QVERIFY(!font.italic());
    QVERIFY(QFontDatabase().styles("Strobix Sans").contains("Bold"));
    QCOMPARE(registered_font_files(), 2);
    QCOMPARE(log.messages(), QStringList{"Load/set default font: \"Strobix Sans\""});
}

void TestFonts::second_load_registers_nothing()
{
    LogCapture log;
    QCOMPARE(support::load_strobix_fonts(), QStringLiteral("Strobix Sans"));
    QCOMPARE(registered_font_files(), 2);
    QCOMPARE(log.messages(), QStringList{});
}

void TestFonts::unusable_font_file_gives_no_family_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing file") << QStringLiteral("/no/such/font.otf");
    QTest::newRow("not a font") << QStringLiteral(":resources/settings_GUI.json");
}

void TestFonts::unusable_font_file_gives_no_family()
{
    QFETCH(QString, path);
    LogCapture log;
    QCOMPARE(support::load_font(path), QString());
    QCOMPARE(log.messages(QtWarningMsg), QStringList{"Unable to load font from \"" + path + '"'});
}

void TestFonts::empty_family_leaves_default_font()
{
    const QFont before = QApplication::font();
    support::set_default_font(QString());
    QCOMPARE(QApplication::font(), before);
}

QTEST_MAIN(TestFonts)
#include "test_fonts.moc"
