// The GUI settings file: the default content, the reader's rules, lookups and text forms.

#include "gui/settings.h"
#include "support/log_capture.h"

#include <QtTest>

using Settings::CircleData;
using Settings::GUI;
using Settings::LabelData;

namespace {

const QString default_file = QStringLiteral(":resources/settings_GUI.json");

QString lines(const QStringList& pieces)
{
    return pieces.join(QLatin1Char('\n'));
}

// One label entry read from a "labels" array that holds only `element`.
LabelData single_label(const QString& element)
{
    const GUI gui(QStringLiteral("{\"labels\": [%1]}").arg(element));
    return gui.labels.value(0);
}

CircleData single_circle(const QString& element)
{
    const GUI gui(QStringLiteral("{\"circles\": [%1]}").arg(element));
    return gui.circles.value(0);
}

}  // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void default_file_labels_data()
    {
        const QString black9 = QStringLiteral("<span style=\"color:#000000; font-size:9pt\">");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<bool>("create");
        const QPoint absent(-1, -1);
        QTest::newRow("2") << "2"
                           << lines({"<span style=\"font-size:20pt\">",
                                     "<span style=\"color:#FFFFFF; font-weight:bold;\">Firmware upgrade</span>", "<br>",
                                     "<span style=\"font-weight:bold\">%1</span>", "</span>"})
                           << QPoint(37, 32) << true;
        QTest::newRow("4") << "4" << lines({"<span style=\"font-size:20pt\">", "Firmware version:", "<br>", "%1</span>"})
                           << QPoint(400, 32) << true;
        QTest::newRow("5") << "5" << lines({"Follow the steps below", "to upgrade your product."}) << QPoint(37, 270)
                           << true;
        QTest::newRow("7a") << "7a" << "1. Turn off the device" << QPoint(37, 320) << true;
        QTest::newRow("7b") << "7b"
                            << lines({"2. Hold the rightmost button", "    under the display while",
                                      "    pushing the TEST button", "    for 1 second"})
                            << QPoint(37, 350) << true;
        QTest::newRow("9") << "9" << "3. Connect USB cable" << QPoint(37, 428) << true;
        QTest::newRow("8b2") << "8b2" << "4. Click here to start upgrade" << absent << false;
        QTest::newRow("status_noDev")
            << "status_noDev" << black9 + "\nThe USB cable must have a 'Micro B' plug and a 'Type A' plug.</span>"
            << QPoint(37, 483) << true;
        QTest::newRow("status_devConn") << "status_devConn" << black9 + "\nConnected to an %1.</span>" << absent << false;
        QTest::newRow("status_devRev") << "status_devRev"
                                       << black9 + "\nConnected to an %1 with firmware version %2</span>" << absent
                                       << false;
        QTest::newRow("status_devRevUnknown")
            << "status_devRevUnknown" << black9 + "\nConnected to an %1 with unknown firmware version.</span>" << absent
            << false;
        QTest::newRow("app_name") << "app_name" << "" << QPoint(480, 387) << false;
        QTest::newRow("sim_mode") << "sim_mode" << "Simulator mode" << QPoint(480, 407) << false;
        QTest::newRow("debug_mode") << "debug_mode" << "Debug mode" << QPoint(480, 427) << false;
    }
    // The raw line feeds inside the file's strings must survive the reader.
    void default_file_labels()
    {
        QFETCH(QString, id);
        QFETCH(QString, text);
        QFETCH(QPoint, position);
        QFETCH(bool, create);
        const GUI gui = Settings::make_GUI(default_file);
        QVERIFY(gui.valid);
        QCOMPARE(gui.labels.size(), 14);
        const auto found = std::find_if(gui.labels.begin(), gui.labels.end(),
                                        [&id](const LabelData& label) { return label.id == id; });
        QVERIFY(found != gui.labels.end());
        const LabelData& label = *found;
        QCOMPARE(label.text, text);
        QCOMPARE(label.position, position);
        QCOMPARE(label.create, create);
        QCOMPARE(label.size, -1);
        QCOMPARE(label.font, QString());
        QCOMPARE(label.white, true);
    }

    void default_file_order_and_circles()
    {
        const GUI gui = Settings::make_GUI(default_file);
        QStringList ids;
        for (const LabelData& label : gui.labels)
            ids << label.id;
        QCOMPARE(ids, (QStringList{"2", "4", "5", "7a", "7b", "9", "8b2", "status_noDev", "status_devConn",
                                   "status_devRev", "status_devRevUnknown", "app_name", "sim_mode", "debug_mode"}));

        QCOMPARE(gui.circles.size(), 2);
        QCOMPARE(QString(gui.circles[0]), QStringLiteral("Circle 'On button': (283,355), r=15, w=15, color=#60ff4040"));
        QCOMPARE(QString(gui.circles[1]),
                 QStringLiteral("Circle 'Menu button D': (386,316), r=13, w=13, color=#60ff4040"));
        QCOMPARE(gui.circles[0].color, QColor(0xFF, 0x40, 0x40, 0x60));
    }

    void lookup_takes_first_exact_match()
    {
        const GUI gui(QStringLiteral(R"({"labels": [
            {"id": "status_noDev", "text": "first"},
            {"id": "status_noDev", "text": "second"},
            {"id": "Status_NoDev", "text": "other case"}]})"));
        LogCapture log;
        QCOMPARE(gui.label("status_noDev"), &gui.labels[0]);
        QCOMPARE(gui.text("status_noDev"), QStringLiteral("first"));
        QCOMPARE(gui.text("Status_NoDev"), QStringLiteral("other case"));
        QVERIFY(log.messages().isEmpty());
    }

    void missing_id_warns_data()
    {
        QTest::addColumn<QString>("id");
        QTest::newRow("absent") << "status_devConn";
        QTest::newRow("differs in case") << "status_nodev";
    }
    void missing_id_warns()
    {
        QFETCH(QString, id);
        const GUI gui(QStringLiteral(R"({"labels": [{"id": "status_noDev", "text": "x"}]})"));
        LogCapture log;
        QCOMPARE(gui.label(id), nullptr);
        QCOMPARE(gui.text(id), QString());
        const QString warning = QStringLiteral("No matching label with id \"%1\" found").arg(id);
        QCOMPARE(log.messages(QtWarningMsg), (QStringList{warning, warning}));
    }

    void unusable_text_gives_valid_empty_settings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("not JSON") << "this is not JSON";
        QTest::newRow("empty") << "";
        QTest::newRow("top level array") << "[1, 2]";
        QTest::newRow("arrays missing") << "{\"other\": 1}";
        QTest::newRow("not arrays") << "{\"labels\": {\"id\": \"2\"}, \"circles\": \"x\"}";
    }
    void unusable_text_gives_valid_empty_settings()
    {
        QFETCH(QString, text);
        const GUI gui(text);
        QVERIFY(gui.valid);
        QVERIFY(gui.labels.isEmpty());
        QVERIFY(gui.circles.isEmpty());
        QVERIFY(!GUI().valid);
    }

    void label_reading_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("create");
        QTest::addColumn<bool>("white");
        QTest::newRow("empty object") << "{}" << "" << QPoint(-1, -1) << -1 << "" << true << true;
        QTest::newRow("number element") << "5" << "" << QPoint(-1, -1) << -1 << "" << true << true;
        QTest::newRow("string element") << "\"2\"" << "" << QPoint(-1, -1) << -1 << "" << true << true;
        QTest::newRow("position only x") << R"({"position": {"x": 37}})" << "" << QPoint(37, -1) << -1 << "" << true
                                         << true;
        QTest::newRow("position not an object") << R"({"position": 5})" << "" << QPoint(-1, -1) << -1 << "" << true
                                                << true;
        QTest::newRow("negative position") << R"({"position": {"x": -4, "y": 0}})" << "" << QPoint(-4, 0) << -1 << ""
                                           << true << true;
        QTest::newRow("size 12") << R"({"size": 12})" << "" << QPoint(-1, -1) << 12 << "" << true << true;
        QTest::newRow("size 12.5") << R"({"size": 12.5})" << "" << QPoint(-1, -1) << 0 << "" << true << true;
        QTest::newRow("size beyond 32 bits") << R"({"size": 1e10})" << "" << QPoint(-1, -1) << 0 << "" << true << true;
        QTest::newRow("size as string") << R"({"size": "12"})" << "" << QPoint(-1, -1) << 0 << "" << true << true;
        QTest::newRow("create as string") << R"({"create": "true"})" << "" << QPoint(-1, -1) << -1 << "" << false
                                          << true;
        QTest::newRow("white as number") << R"({"white": 1})" << "" << QPoint(-1, -1) << -1 << "" << true << false;
        QTest::newRow("flags false") << R"({"create": false, "white": false})" << "" << QPoint(-1, -1) << -1 << ""
                                     << false << false;
        QTest::newRow("id as number") << R"({"id": 7, "text": ["a"]})" << "" << QPoint(-1, -1) << -1 << "" << true
                                      << true;
        QTest::newRow("escapes decoded") << "{\"id\": \"a\\\"b\", \"text\": \"x\\ny\\t\\u00e9\"}" << "a\"b" << QPoint(-1, -1)
                                         << -1 << QString::fromUtf8("x\ny\t\xc3\xa9") << true << true;
        QTest::newRow("raw line feed kept") << "{\"text\": \"one\ntwo\"}" << "" << QPoint(-1, -1) << -1 << "one\ntwo"
                                            << true << true;
    }
    void label_reading()
    {
        QFETCH(QString, element);
        const GUI gui(QStringLiteral("{\"labels\": [%1]}").arg(element));
        QCOMPARE(gui.labels.size(), 1);
        const LabelData& label = gui.labels[0];
        QTEST(label.id, "id");
        QTEST(label.position, "position");
        QTEST(label.size, "size");
        QTEST(label.text, "text");
        QTEST(label.create, "create");
        QTEST(label.white, "white");
        QCOMPARE(label.font, QString());
    }

    void circle_reading_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("color_valid");
        QTest::newRow("no colour, no centre") << R"({"name": "x", "radius": 5, "pen_width": 2})"
                                              << "Circle 'x': (0,0), r=5, w=2" << false;
        QTest::newRow("not an object") << "3" << "Circle '': (0,0), r=0, w=0" << false;
        QTest::newRow("#AARRGGBB") << R"({"color": "#60FF4040", "center": {"x": 1, "y": -2}})"
                                   << "Circle '': (1,-2), r=0, w=0, color=#60ff4040" << true;
        QTest::newRow("#RGB") << R"({"color": "#fff"})" << "Circle '': (0,0), r=0, w=0, color=#ffffffff" << true;
        QTest::newRow("#RRRRGGGGBBBB") << R"({"color": "#ffff00000000"})"
                                       << "Circle '': (0,0), r=0, w=0, color=#ffff0000" << true;
        QTest::newRow("SVG keyword") << R"({"color": "navy"})" << "Circle '': (0,0), r=0, w=0, color=#ff000080"
                                     << true;
        QTest::newRow("five digits") << R"({"color": "#12345"})" << "Circle '': (0,0), r=0, w=0" << false;
        QTest::newRow("colour as number") << R"({"color": 255})" << "Circle '': (0,0), r=0, w=0" << false;
        QTest::newRow("radius 2.5") << R"({"radius": 2.5, "pen_width": "3"})" << "Circle '': (0,0), r=0, w=0"
                                    << false;
    }
    void circle_reading()
    {
        QFETCH(QString, element);
        QFETCH(QString, form);
        QFETCH(bool, color_valid);
        const CircleData circle = single_circle(element);
        QCOMPARE(circle.color.isValid(), color_valid);
        // The form of an invalid colour says nothing worth pinning down.
        QVERIFY2(QString(circle).startsWith(form), qPrintable(QString(circle)));
    }

    void label_text_form_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("form");
        QTest::newRow("defaults") << R"({"id": "9", "position": {"x": 37, "y": 428}, "text": "3. Connect"})"
                                  << "Label '9': (37,428) {} font='':-1: '3. Connect'";
        QTest::newRow("not white") << R"({"id": "a", "white": false, "font": "Serif", "size": 14})"
                                   << "Label 'a': (-1,-1) {not-white} font='Serif':14: ''";
        QTest::newRow("no create") << R"({"id": "b", "create": false})" << "Label 'b': (-1,-1) {no-create} font='':-1: ''";
        QTest::newRow("neither") << R"({"id": "c", "create": false, "white": false})"
                                 << "Label 'c': (-1,-1) {not-white no-create} font='':-1: ''";
        // Placeholders in an entry's own words stay as they are.
        QTest::newRow("placeholders kept") << R"({"id": "%2", "font": "%1", "text": "an %1 with %2"})"
                                           << "Label '%2': (-1,-1) {} font='%1':-1: 'an %1 with %2'";
    }
    void label_text_form()
    {
        QFETCH(QString, element);
        QFETCH(QString, form);
        QCOMPARE(QString(single_label(element)), form);
    }

    void settings_text_form()
    {
        const GUI gui(QStringLiteral("{\"circles\": [{\"name\": \"c\", \"radius\": 1, \"color\": \"#01020304\"}],"
                                     " \"labels\": [{\"id\": \"x\", \"text\": \"t\"}]}"));
        const QString form = QStringLiteral("GUI settings:\n"
                                            "\tCircle 'c': (0,0), r=1, w=0, color=#01020304\n"
                                            "\tLabel 'x': (-1,-1) {} font='':-1: 't'\n");
        QCOMPARE(QString(gui), form);
        QCOMPARE(QString(GUI()), QStringLiteral("GUI settings:\n\tInvalid"));

        LogCapture log;
        qInfo() << gui.labels[0] << gui.circles[0] << QStringLiteral("next");
        qInfo() << GUI() << QStringLiteral("next");
        QCOMPARE(log.messages(), (QStringList{"\"Label 'x': (-1,-1) {} font='':-1: 't'\" \"Circle 'c': (0,0), r=1, "
                                              "w=0, color=#01020304\" \"next\"",
                                              "GUI settings:\n\tInvalid \"next\""}));
    }

    void missing_file_throws()
    {
        const QString name = QStringLiteral("/nonexistent/settings_GUI.json");
        try {
            Settings::make_GUI(name);
            QFAIL("no error for a missing file");
        } catch (const QString& error) {
            QCOMPARE(error, QStringLiteral("Couldn't open file: ") + name);
        }
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
