// Parsing dfu-util's device list, on output in dfu-util's own line format.

#include "dfu/command.h"
#include "dfu/dfu_util_parser.h"
#include "dfu/dfu_util.h"
#include "dfu/scan.h"
#include "support/log_capture.h"

#include <QtTest>

namespace {

// The STM32F4 bootloader's four alternate settings, in the order dfu-util lists them.
const QStringList alternate_names = {
    "@Device Feature/0xFFFF0000/01*004 e",
    "@OTP Memory /0x1FFF7800/01*512 e,01*016 e",
    "@Option Bytes  /0x1FFFC000/01*016 e",
    "@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg",
};

QString line(const QString& serial, int alt, const QString& mode = "DFU", const QString& ids = "0483:df11",
             const QString& release = "2200")
{
    return QStringLiteral("Found %1: [%2] ver=%3, devnum=7, cfg=1, intf=0, path=\"1-1\", alt=%4, name=\"%5\", "
                          "serial=\"%6\"\n")
        .arg(mode, ids, release)
        .arg(alt)
        .arg(alternate_names.value(3 - alt, "UNKNOWN"), serial);
}

// A unit's lines for the alternate settings `count - 1` down to 0.
QString unit(const QString& serial, int count = 4)
{
    QString text;
    for (int alt = count - 1; alt >= 0; --alt)
        text += line(serial, alt);
    return text;
}

QString banner()
{
    return DFU::dfu_util::expected_output_of_execution_test;
}

}  // namespace

class TestScan : public QObject {
    Q_OBJECT

private slots:
    void patterns();
    void parsing_data();
    void parsing();
    void unreadable_serial_is_logged();
    void status_texts();
    void list_run_is_parsed_only_when_it_succeeds_data();
    void list_run_is_parsed_only_when_it_succeeds();
};

void TestScan::patterns()
{
    QCOMPARE(DfuUtilParser::prefix_RE, QStringLiteral("^Found DFU: \\[0483:df11\\] ver=2200"));
    QCOMPARE(DfuUtilParser::prefix_RE.size(), 34);
    QCOMPARE(DfuUtilParser::extract_serial_RE, QStringLiteral("serial=\\\"([0-9a-fA-F]+)\\\""));
    QCOMPARE(DfuUtilParser::extract_serial_RE.size(), 25);
}

void TestScan::parsing_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("serials");
    QTest::addColumn<int>("serial_count");
    QTest::addColumn<int>("scan_status");

    const QString a = "3276387E3036", b = "2059375B4D4B";
    QTest::newRow("empty") << QString() << int(DfuUtilParser::no_dfu_device) << QStringList{} << 0 << 1;
    QTest::newRow("banner only") << banner() << int(DfuUtilParser::no_dfu_device) << QStringList{} << 0 << 1;
    QTest::newRow("one unit") << banner() + unit(a) << int(DfuUtilParser::one_dfu_device) << QStringList{a} << 1 << 0;
    QTest::newRow("CR-LF line ends") << QString(banner() + unit(a)).replace("\n", "\r\n")
                                     << int(DfuUtilParser::one_dfu_device) << QStringList{a} << 1 << 0;
    QTest::newRow("three lines") << unit(a, 3) << int(DfuUtilParser::invalid_dfu_device) << QStringList{a} << 1 << 1;
    QTest::newRow("five lines") << unit(a, 5) << int(DfuUtilParser::invalid_dfu_device) << QStringList{a} << 1 << 1;
    QTest::newRow("two units") << unit(a) + unit(b) << int(DfuUtilParser::multiple_dfu_devices) << QStringList{a, b}
                               << 2 << 1;
    QTest::newRow("A B A") << line(a, 3) + line(b, 2) + line(a, 1) << int(DfuUtilParser::multiple_dfu_devices)
                           << QStringList{a, b, a} << 3 << 1;
    QTest::newRow("serials differing in case") << unit(a) + unit(a.toLower())
                                               << int(DfuUtilParser::multiple_dfu_devices)
                                               << QStringList{a, a.toLower()} << 2 << 1;
    QTest::newRow("unreadable serial after valid lines")
        << unit(a) + line("UNKNOWN", 0) + unit(b) << int(DfuUtilParser::no_dfu_device) << QStringList{a} << 0 << 1;
    QTest::newRow("other release") << unit(a).replace("ver=2200", "ver=0200") << int(DfuUtilParser::no_dfu_device)
                                   << QStringList{} << 0 << 1;
    QTest::newRow("other product") << unit(a).replace("0483:df11", "0483:df12") << int(DfuUtilParser::no_dfu_device)
                                   << QStringList{} << 0 << 1;
    QTest::newRow("run-time mode") << line(a, 0, "Runtime", "0483:5740", "0200") + unit(b)
                                   << int(DfuUtilParser::one_dfu_device) << QStringList{b} << 1 << 0;
    QTest::newRow("leading blank") << QString(" ") + unit(a) << int(DfuUtilParser::invalid_dfu_device)
                                   << QStringList{a} << 1 << 1;
}

void TestScan::parsing()
{
    QFETCH(QString, output);
    QFETCH(int, status);
    QFETCH(QStringList, serials);
    QFETCH(int, serial_count);
    QFETCH(int, scan_status);

    const DfuUtilParser parser(output);
    QCOMPARE(int(parser.status), status);
    QCOMPARE(QStringList(parser.serials.begin(), parser.serials.end()), serials);
    QCOMPARE(parser.serial_count, serial_count);

    const DFU::ScanResult scan = DFU::scan_for_devices(output);
    QCOMPARE(scan.status, scan_status);
    QStringList found;
    for (const DFU::DeviceItem& item : scan.devices)
        found << item.serial;
    QCOMPARE(found, serials);
}

void TestScan::unreadable_serial_is_logged()
{
    LogCapture log;
    const QString bad = line("UNKNOWN", 0);
    DfuUtilParser parser(bad);
    QCOMPARE(log.messages(QtDebugMsg).size(), 1);
    QVERIFY(log.messages(QtDebugMsg).first().contains("serial=\\\"UNKNOWN\\\""));
}

void TestScan::status_texts()
{
    DfuUtilParser parser{QString()};
    const QStringList texts{"no_dfu_device", "one_dfu_device", "invalid_dfu_device", "multiple_dfu_devices"};
    for (int s = 0; s < 4; ++s) {
        parser.status = static_cast<DfuUtilParser::Status>(s);
        QCOMPARE(parser.status_as_string(), texts[s]);
    }
    parser.status = static_cast<DfuUtilParser::Status>(9);
    QCOMPARE(parser.status_as_string(), QString());
}

void TestScan::list_run_is_parsed_only_when_it_succeeds_data()
{
    QTest::addColumn<QByteArray>("exit_code");
    QTest::addColumn<int>("scan_status");
    QTest::addColumn<int>("devices");
    QTest::newRow("success") << QByteArray("0") << 0 << 1;
    QTest::newRow("failure") << QByteArray("74") << 1 << 0;
}

void TestScan::list_run_is_parsed_only_when_it_succeeds()
{
    QFETCH(QByteArray, exit_code);
    QFETCH(int, scan_status);
    QFETCH(int, devices);
    DFU::Command::path = QStringLiteral(FIXTURE_DIR);
    qputenv("DFU_FIXTURE_MODE", "print");
    qputenv("FIXTURE_OUTPUT", QString(banner() + unit("3276387E3036")).toUtf8());
    qputenv("FIXTURE_EXIT", exit_code);

    const DFU::ScanResult scan = DFU::make_scan();

    QCOMPARE(scan.status, scan_status);
    QCOMPARE(int(scan.devices.size()), devices);
}

QTEST_GUILESS_MAIN(TestScan)
#include "test_scan.moc"
