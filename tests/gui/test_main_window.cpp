// The main window built from the default settings and from small fixtures: geometry at
// the screen's scale, the labels, the download mode and the keys. CTest runs it at 96 and
// at 120 logical dots per inch (QT_FONT_DPI), that is at the scales 1.0 and 1.25.

#include "gui/circle.h"
#include "gui/install_button.h"
#include "gui/labels.h"
#include "gui/main_window.h"
#include "gui/main_window_factory.h"
#include "gui/progress_bar.h"
#include "gui/settings.h"
#include "support/log_capture.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QtTest>
#include <memory>

namespace {

// What the window must look like at one screen resolution, in screen pixels.
struct Expected {
    double scale;
    QRect window;
    QRect install;
    int fixed_width;
    QRect on_button;
    QRect menu_button;
};

Expected expected_here()
{
    const int dpi = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
    if (dpi == 120)
        return {1.25, QRect(-15, 63, 831, 646), QRect(258, 521, 312, 50), 285, QRect(336, 426, 36, 36),
                QRect(467, 379, 32, 32)};
    return {1.0, QRect(68, 50, 665, 517), QRect(207, 417, 250, 40), 228, QRect(268, 340, 30, 30),
            QRect(373, 303, 26, 26)};
}

const char* const white_sheet = "QLabel { background-color : rgba(0,0,0,0%); color : rgba(175,175,175,100%); }";
const char* const black_sheet = "QLabel { background-color : rgba(0,0,0,0%); color : black; }";

QList<QLabel*> labels_of(MainWindow* window)
{
    return window->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
}

// The one label whose text holds `piece`, or null.
QLabel* label_with(MainWindow* window, const QString& piece)
{
    QLabel* found = nullptr;
    for (QLabel* label : labels_of(window)) {
        if (label->text().contains(piece)) {
            if (found)
                return nullptr;
            found = label;
        }
    }
    return found;
}

Settings::Settings settings_from(const QString& text)
{
    Settings::Settings settings;
    settings.gui = Settings::GUI(text);
    settings.desired_FW_name = QStringLiteral("Wren");
    settings.desired_FW_type = Device::WREN;
    settings.desired_FW_revision = QStringLiteral("C2");
    return settings;
}

Settings::Settings default_settings()
{
    return settings_from(Settings::load_settings_file(QStringLiteral(":resources/settings_GUI.json")));
}

QString quoted(const QString& text)
{
    QString form;
    QDebug(&form) << text;
    return form.trimmed();
}

void send_key(QWidget* widget, int key, bool* accepted = nullptr)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    if (accepted)
        *accepted = press.isAccepted();
}

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

    Settings::Settings settings;
    std::unique_ptr<MainWindow> window;

    void build(const Settings::Settings& from, bool simulator)
    {
        window.reset();
        settings = from;
        window.reset(MainWindow_factory(&settings, nullptr, simulator));
    }

private slots:
    void cleanup() { window.reset(); }

    void geometry_at_the_screen_scale()
    {
        const Expected expected = expected_here();
        build(default_settings(), false);
        QCOMPARE(window->scale, expected.scale);
        QCOMPARE(window->geometry(), expected.window);
        QCOMPARE(window->minimumSize(), expected.window.size());
        QCOMPARE(window->maximumSize(), expected.window.size());
        QCOMPARE(window->installButton->geometry(), expected.install);
        QCOMPARE(window->progressBar->geometry(), expected.install);
        QVERIFY(window->installButton->isVisible());
        QVERIFY(!window->progressBar->isVisible());

        const QList<Circle*> circles = window->findChildren<Circle*>();
        QCOMPARE(circles.size(), 2);
        QCOMPARE(circles[0]->geometry(), expected.on_button);
        QCOMPARE(circles[1]->geometry(), expected.menu_button);
        QCOMPARE(window->styleSheet(),
                 QStringLiteral(
                     "QMainWindow { border-image:url(\"://resources/background.jpg\") 0 0 0 0 stretch stretch; }"));
        QCOMPARE(window->centralWidget->parent(), window.get());
        QVERIFY(window->centralWidget->layout() == nullptr);
    }

    void default_labels_data()
    {
        QTest::addColumn<QString>("piece");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QPoint>("design_position");
        const int plain = int(Qt::AlignLeft | Qt::AlignVCenter);
        const int left_top = int(Qt::AlignLeft | Qt::AlignTop);
        const int right_top = int(Qt::AlignRight | Qt::AlignTop);
        QTest::newRow("2") << "Firmware upgrade" << 5 << left_top << QPoint(37, 32);
        QTest::newRow("4") << "Firmware version:" << 4 << right_top << QPoint(400, 32);
        QTest::newRow("5") << "Follow the steps below" << 2 << plain << QPoint(37, 270);
        QTest::newRow("7a") << "1. Turn off the device" << 1 << plain << QPoint(37, 320);
        QTest::newRow("7b") << "2. Hold the rightmost button" << 4 << plain << QPoint(37, 350);
        QTest::newRow("9") << "3. Connect USB cable" << 1 << plain << QPoint(37, 428);
        QTest::newRow("status_noDev") << "'Micro B'" << 2 << plain << QPoint(37, 483);
        QTest::newRow("sim_mode") << "Simulator mode" << 1 << plain << QPoint(480, 407);
    }
    // Heights go by line feeds and widths by the text's advance, whatever the font.
    void default_labels()
    {
        QFETCH(QString, piece);
        QFETCH(int, lines);
        QFETCH(int, alignment);
        QFETCH(QPoint, design_position);
        const Expected expected = expected_here();
        build(default_settings(), true);
        QLabel* label = label_with(window.get(), piece);
        QVERIFY(label);
        QVERIFY(label->isVisible());
        QCOMPARE(label->pos(), QPoint(qRound(design_position.x() * expected.scale),
                                      qRound(design_position.y() * expected.scale)));
        QCOMPARE(int(label->alignment()), alignment);
        QCOMPARE(label->height(), label->fontMetrics().height() * lines);
        const bool fixed = QByteArray(QTest::currentDataTag()) == "4";
        QCOMPARE(label->width(), fixed ? expected.fixed_width : label->fontMetrics().horizontalAdvance(label->text()));
        QCOMPARE(label->styleSheet(), QString::fromLatin1(white_sheet));
    }

    void labels_made_with_and_without_simulator_data()
    {
        QTest::addColumn<bool>("simulator");
        QTest::newRow("real unit") << false;
        QTest::newRow("simulator") << true;
    }
    void labels_made_with_and_without_simulator()
    {
        QFETCH(bool, simulator);
        build(default_settings(), simulator);
        QCOMPARE(labels_of(window.get()).size(), simulator ? 8 : 7);
        QCOMPARE(label_with(window.get(), "Simulator mode") != nullptr, simulator);
        for (const char* absent : {"Debug mode", "Click here", "Connected to"})
            QVERIFY2(!label_with(window.get(), absent), absent);
        QCOMPARE(window->installButton->text(), QStringLiteral("4. Click here to start upgrade"));
        QCOMPARE(window->statusLabel, label_with(window.get(), "'Micro B'"));
    }

    void title_and_version_name_the_carried_firmware()
    {
        build(default_settings(), false);
        const QString title = label_with(window.get(), "Firmware upgrade")->text();
        QVERIFY(title.contains("<span style=\"font-weight:bold\">Strobix M30</span>"));
        const QString version = label_with(window.get(), "Firmware version:")->text();
        QVERIFY(version.endsWith("<br>\nC2</span>"));
        QVERIFY(!title.contains('%') && !version.contains('%'));
    }

    void building_logs_width_override_and_download_mode()
    {
        LogCapture log;
        build(default_settings(), false);
        const QString version_text = settings.gui.text("4");
        QCOMPARE(log.messages(QtInfoMsg),
                 (QStringList{QStringLiteral("Overriding width to  %1 for text: ").arg(expected_here().fixed_width)
                                  + quoted(version_text),
                              "MainWindow downloadMode: setEnabled false", "Download  disabled"}));
        QVERIFY(!window->installButton->isEnabled());
        QVERIFY(!window->downloadMode);
    }

    void fixture_labels_data()
    {
        QTest::addColumn<QString>("piece");
        QTest::addColumn<bool>("made");
        QTest::addColumn<QPoint>("design_position");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<bool>("white");
        const int plain = int(Qt::AlignLeft | Qt::AlignVCenter);
        QTest::newRow("y 0 is not moved") << "three" << true << QPoint(0, 0) << int(Qt::AlignLeft | Qt::AlignTop)
                                          << true;
        QTest::newRow("4_hdr") << "header" << true << QPoint(400, 10) << int(Qt::AlignRight | Qt::AlignTop) << true;
        QTest::newRow("black") << "black words" << true << QPoint(10, 10) << plain << false;
        QTest::newRow("sized") << "sized words" << true << QPoint(20, 20) << plain << true;
        QTest::newRow("status_noDev not created") << "no unit" << false << QPoint() << 0 << true;
        QTest::newRow("sim_mode without simulator") << "Simulator mode" << false << QPoint() << 0 << true;
        QTest::newRow("debug_mode") << "Debug mode" << false << QPoint() << 0 << true;
    }
    void fixture_labels()
    {
        QFETCH(QString, piece);
        QFETCH(bool, made);
        QFETCH(QPoint, design_position);
        QFETCH(int, alignment);
        QFETCH(bool, white);
        build(settings_from(R"({"labels": [
            {"id": "3", "position": {"x": 37, "y": 0}, "text": "three"},
            {"id": "4_hdr", "position": {"x": 400, "y": 10}, "text": "header"},
            {"id": "b", "position": {"x": 10, "y": 10}, "white": false, "text": "black words"},
            {"id": "s", "position": {"x": 20, "y": 20}, "size": 23, "font": "Serif", "text": "sized words"},
            {"id": "status_noDev", "create": false, "text": "no unit"},
            {"id": "app_name", "position": {"x": 480, "y": 387}, "text": ""},
            {"id": "sim_mode", "position": {"x": 480, "y": 407}, "create": false, "text": "Simulator mode"},
            {"id": "debug_mode", "position": {"x": 480, "y": 427}, "create": false, "text": "Debug mode"}]})"),
              false);
        QCOMPARE(labels_of(window.get()).size(), 4);
        QCOMPARE(window->statusLabel, nullptr);
        QLabel* label = label_with(window.get(), piece);
        QCOMPARE(label != nullptr, made);
        if (!made)
            return;
        const double scale = window->scale;
        QCOMPARE(label->pos(), QPoint(qRound(design_position.x() * scale), qRound(design_position.y() * scale)));
        QCOMPARE(int(label->alignment()), alignment);
        QCOMPARE(label->styleSheet(), QString::fromLatin1(white ? white_sheet : black_sheet));
        if (piece == "header")
            QCOMPARE(label->width(), int(scale * 228));
        if (piece == "sized") {
            const int pixels = int(23 * QGuiApplication::primaryScreen()->physicalDotsPerInch() / 110.0);
            QCOMPARE(label->font().pixelSize(), pixels);
            QCOMPARE(label->font().family(), QStringLiteral("Serif"));
            QCOMPARE(label->height(), QFontMetrics(label->font()).height());
        }
    }

    void duplicate_ids_each_become_a_label()
    {
        build(settings_from(R"({"labels": [
            {"id": "status_noDev", "position": {"x": 5, "y": 5}, "text": "first"},
            {"id": "status_noDev", "position": {"x": 5, "y": 50}, "text": "second"}]})"),
              false);
        QCOMPARE(labels_of(window.get()).size(), 2);
        QVERIFY(label_with(window.get(), "first"));
        // The status line is the last label made for the id.
        QCOMPARE(window->statusLabel, label_with(window.get(), "second"));
    }

    void key_A_toggles_the_install_button()
    {
        build(default_settings(), false);
        QSignalSpy changed(window.get(), &MainWindow::downloadModeChanged);
        LogCapture log;
        send_key(window.get(), Qt::Key_A);
        QVERIFY(window->installButton->isEnabled());
        QCOMPARE(log.messages(), (QStringList{"MainWindow downloadMode: setEnabled true", "Download  enabled"}));
        log.clear();
        send_key(window.get(), Qt::Key_A);
        QVERIFY(!window->installButton->isEnabled());
        QCOMPARE(log.messages(), (QStringList{"MainWindow downloadMode: setEnabled false", "Download  disabled"}));
        QCOMPARE(changed.count(), 2);
    }

    void download_slots_set_the_mode()
    {
        build(default_settings(), false);
        window->enableDownload();
        window->enableDownload();
        QVERIFY(window->installButton->isEnabled());
        window->toggleDownload();
        QVERIFY(!window->installButton->isEnabled());
        window->disableDownload();
        QVERIFY(!window->downloadMode);
        QVERIFY(!window->installButton->isEnabled());
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("finished");
        QTest::newRow("Q") << int(Qt::Key_Q) << 1;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << 1;
        QTest::newRow("B") << int(Qt::Key_B) << 0;
        QTest::newRow("Return") << int(Qt::Key_Return) << 0;
        QTest::newRow("Space") << int(Qt::Key_Space) << 0;
    }
    // Every key stops at the window: handled or swallowed, none travels on.
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, finished);
        build(default_settings(), false);
        QSignalSpy finishes(window.get(), &MainWindow::finished);
        LogCapture log;
        bool accepted = false;
        send_key(window.get(), key, &accepted);
        QVERIFY(accepted);
        QCOMPARE(finishes.count(), finished);
        QVERIFY(!window->downloadMode);
        QVERIFY(log.messages().isEmpty());
    }

    void missing_status_text_is_fatal_data()
    {
        QTest::addColumn<QString>("settings_text");
        QTest::addColumn<bool>("fatal");
        QTest::newRow("missing") << R"({"labels": [{"id": "2", "text": "x"}]})" << true;
        QTest::newRow("empty text") << R"({"labels": [{"id": "status_noDev", "text": ""}]})" << true;
        QTest::newRow("other case") << R"({"labels": [{"id": "status_nodev", "text": "x"}]})" << true;
        QTest::newRow("not JSON") << "status_noDev" << true;
        QTest::newRow("not created") << R"({"labels": [{"id": "status_noDev", "create": false, "text": "x"}]})"
                                     << false;
    }
    void missing_status_text_is_fatal()
    {
        QFETCH(QString, settings_text);
        QFETCH(bool, fatal);
        QTemporaryFile file;
        QVERIFY(file.open());
        file.write(settings_text.toUtf8());
        file.close();

        QProcess probe;
        probe.start(QStringLiteral(WINDOW_PROBE), {file.fileName()});
        QVERIFY(probe.waitForFinished(30000));
        const QString out = QString::fromUtf8(probe.readAllStandardOutput());
        const QString err = QString::fromUtf8(probe.readAllStandardError());
        const QString message = QStringLiteral("No message with id 'status_noDev' found, aborting");
        if (fatal) {
            QCOMPARE(probe.exitStatus(), QProcess::CrashExit);
            QVERIFY2(err.contains(message), qPrintable(err));
            QVERIFY(!out.contains("window built"));
        } else {
            QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
            QCOMPARE(probe.exitCode(), 0);
            QCOMPARE(out, QStringLiteral("window built\n"));
            QVERIFY(!err.contains(message));
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
