// The whole tool, assembled by its own start-up in simulator mode, driven as a person
// would drive it, against the simulated unit. Each case runs in a process of its own
// (CTest runs this program once per function or table row): start-up may run only once
// per process.

#include "app/program_objects.h"
#include "app/startup.h"
#include "control/machines.h"
#include "control/sm_a.h"
#include "control/sm_b.h"
#include "files/files.h"
#include "gui/install_button.h"
#include "gui/progress_bar.h"
#include "simulation/simulator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QtTest>

namespace {

const QString cable_hint = QStringLiteral("The USB cable must have a 'Micro B' plug and a 'Type A' plug.");

// What a person sees: the status line's words, the bar and the install button.
struct Screen {
    static QString status() { return QTextDocumentFragment::fromHtml(mainWindow->statusLabel->text()).toPlainText().trimmed(); }
    static bool bar_shown() { return !mainWindow->progressBar->isHidden(); }
    static QString bar_format() { return mainWindow->progressBar->format(); }
    static int bar_value() { return mainWindow->progressBar->value(); }
    static bool button_enabled() { return mainWindow->installButton->isEnabled(); }
};

void configure(const QString& name)
{
    QCOMPARE(simulator::sim_setup_prepared_config(name), 0);
}

constexpr int unit_timeout_ms = 20000;

}  // namespace

class TestEndToEnd : public QObject {
    Q_OBJECT

private:
    QTemporaryDir state;

    // Start-up as main runs it, against a simulated unit in `configuration`.
    void start(const QString& configuration)
    {
        qputenv("DFU_UTIL_SIMULATOR_STATE", state.path().toLocal8Bit());
        qputenv("DFU_UTIL_SIMULATOR_FAST", "1");
        GUI_init();
        qputenv("DFU_UTIL_SIMULATOR_FIRMWARE", Files::path_in_external_dir("firmware.bin").toLocal8Bit());
        configure(configuration);
        QVERIFY(mainWindow);
        QTRY_VERIFY(sm_B->isRunning());
    }
    void click_install()
    {
        QVERIFY(Screen::button_enabled());
        QTest::mouseClick(mainWindow->installButton, Qt::LeftButton);
    }
    void expect_no_unit()
    {
        QTRY_COMPARE_WITH_TIMEOUT(Screen::status(), cable_hint, unit_timeout_ms);
        QVERIFY(!Screen::button_enabled());
        QVERIFY(!Screen::bar_shown());
    }
    void expect_upgrade_offered(const QString& status)
    {
        QTRY_COMPARE_WITH_TIMEOUT(Screen::status(), status, unit_timeout_ms);
        QTRY_VERIFY(Screen::button_enabled());
        QVERIFY(!Screen::bar_shown());
    }
    void expect_verified(const QString& status)
    {
        QTRY_COMPARE_WITH_TIMEOUT(Screen::bar_format(), QStringLiteral("Done. Disconnect USB cable."), unit_timeout_ms);
        QVERIFY(Screen::bar_shown());
        QCOMPARE(Screen::bar_value(), mainWindow->progressBar->maximum());
        QCOMPARE(Screen::status(), status);
    }

private slots:
    void cleanup()
    {
        if (mainWindow)
            emit mainWindow->finished();
        GUI_cleanup(0);
    }

    void happy_path();
    void unit_with_current_firmware();
    void situations_without_upgrade_data();
    void situations_without_upgrade();
    void firmware_of_another_product();
    void corrupted_write_offers_the_upgrade_again();
    void failing_download_offers_the_upgrade_again();
    void unit_that_does_not_come_back();
    void unplugging_data();
    void unplugging();
    void leaving_stops_the_machines();
};

void TestEndToEnd::happy_path()
{
    start("no_unit");
    expect_no_unit();
    configure("plug");
    expect_upgrade_offered("Connected to an M30 with firmware version C1");

    click_install();
    QTRY_COMPARE(Screen::bar_format(), QStringLiteral("Upgrading firmware"));
    QVERIFY(Screen::bar_shown());
    // The unit leaves its bootloader to start the new firmware...
    expect_no_unit();
    // ...and comes back into it, so the tool reads it back and compares.
    expect_verified("Connected to an M30 with firmware version C2");
    QVERIFY(!Screen::button_enabled());
}

void TestEndToEnd::unit_with_current_firmware()
{
    start("current_fw");
    expect_verified("Connected to an M30 with firmware version C2");
    QVERIFY(!Screen::button_enabled());
}

void TestEndToEnd::situations_without_upgrade_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("status");
    QTest::newRow("no_unit") << "no_unit" << cable_hint;
    QTest::newRow("two_units") << "two_units" << cable_hint;
    QTest::newRow("unreadable") << "unreadable" << cable_hint;
    QTest::newRow("bad_serial") << "bad_serial" << cable_hint;
    QTest::newRow("other_product") << "other_product" << "Connected to an Q7.";
    QTest::newRow("blank_otp") << "blank_otp" << "Connected to an N/A with unknown firmware version.";
    QTest::newRow("unknown_type") << "unknown_type" << "Connected to an N/A.";
}

void TestEndToEnd::situations_without_upgrade()
{
    QFETCH(QString, configuration);
    QFETCH(QString, status);
    start(configuration);
    // Long enough for several scans and a read of the unit.
    QTest::qWait(3000);
    QTRY_COMPARE_WITH_TIMEOUT(Screen::status(), status, unit_timeout_ms);
    QTest::qWait(1500);
    QCOMPARE(Screen::status(), status);
    QVERIFY(!Screen::button_enabled());
    QVERIFY(!Screen::bar_shown());
}

void TestEndToEnd::firmware_of_another_product()
{
    start("fw_mismatch");
    expect_upgrade_offered("Connected to an M30 with unknown firmware version.");
}

void TestEndToEnd::corrupted_write_offers_the_upgrade_again()
{
    start("corrupt_write");
    expect_upgrade_offered("Connected to an M30 with firmware version C1");
    click_install();
    QTRY_COMPARE_WITH_TIMEOUT(Screen::bar_format(), QStringLiteral("FW differs"), unit_timeout_ms);
    QVERIFY(!Screen::bar_shown());
    QVERIFY(Screen::button_enabled());
    QCOMPARE(Screen::status(), QStringLiteral("Connected to an M30 with firmware version C2"));
    QVERIFY(sm_B->configuration().contains(sm_B->B7));
}

void TestEndToEnd::failing_download_offers_the_upgrade_again()
{
    start("failing_download");
    expect_upgrade_offered("Connected to an M30 with firmware version C1");
    QSignalSpy left_for_download(sm_B->B3, &QState::exited);
    QSignalSpy offered_again(sm_B, &SM_B::sig_UpgradePossible);
    click_install();
    QTRY_COMPARE_WITH_TIMEOUT(left_for_download.count(), 1, unit_timeout_ms);
    QTRY_COMPARE_WITH_TIMEOUT(offered_again.count(), 1, unit_timeout_ms);
    expect_upgrade_offered("Connected to an M30 with firmware version C1");
}

void TestEndToEnd::unit_that_does_not_come_back()
{
    start("no_return");
    expect_upgrade_offered("Connected to an M30 with firmware version C1");
    click_install();
    expect_no_unit();
    QTest::qWait(3000);
    expect_no_unit();
}

void TestEndToEnd::unplugging_data()
{
    QTest::addColumn<QString>("when");
    QTest::newRow("offered") << "offered";
    QTest::newRow("downloading") << "downloading";
    QTest::newRow("verdict") << "verdict";
}

void TestEndToEnd::unplugging()
{
    QFETCH(QString, when);
    start("default");
    expect_upgrade_offered("Connected to an M30 with firmware version C1");
    if (when != "offered") {
        click_install();
        if (when == "downloading")
            QTRY_VERIFY(sm_A->get_command() == SM_A::none);
        else
            expect_verified("Connected to an M30 with firmware version C2");
    }
    configure("unplug");
    expect_no_unit();
    QTRY_VERIFY(sm_B->configuration().contains(sm_B->B1));
}

void TestEndToEnd::leaving_stops_the_machines()
{
    start("default");
    expect_upgrade_offered("Connected to an M30 with firmware version C1");
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(mainWindow.data(), Qt::Key_Escape);
    const qint64 took = timer.elapsed();
    QVERIFY2(sm_A->isFinished(), "the worker ends within its grace");
    qInfo().noquote() << QStringLiteral("worker stopped %1 ms after Escape").arg(took);
    QTRY_VERIFY(!sm_B->isRunning());
    // The window stays; closing it ends the event loop with 0.
    QTimer::singleShot(100, mainWindow.data(), &QWidget::close);
    QCOMPARE(QApplication::exec(), 0);
}

int main(int argc, char** argv)
{
    // The tool's own options; the test's arguments go to the test runner.
    char simulator_option[] = "-s";
    char* tool_argv[] = {argv[0], simulator_option, nullptr};
    int tool_argc = 2;
    QApplication app(tool_argc, tool_argv);
    TestEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_end_to_end.moc"
