// Decoding the firmware information block of an image or a flash read-out.

#include "device/fw_info.h"
#include "support/device_bytes.h"
#include "support/log_capture.h"

#include <QtTest>

using fixture::Block;
using fixture::erased;
using fixture::fw_block;
using fixture::placed;

namespace {

const Block three_pairs{30, "Wren", "C2", {{"Build time", "2026-11-27"}, {"RMI rev", "4.2"}, {"GIT rev", "a3f9c1e"}}};

}  // namespace

class TestFwInfo : public QObject {
    Q_OBJECT

private slots:
    void embedded_image();
    void rejected_blocks_data();
    void rejected_blocks();
    void block_without_pairs();
    void pair_with_empty_value_ends_the_pairs();
    void name_without_zero_byte_is_empty();
    void only_the_first_block_counts();
    void unlisted_type_is_still_valid();
    void get_string_stays_inside_the_data_data();
    void get_string_stays_inside_the_data();
    void local_strlen();
    void text_forms();
};

void TestFwInfo::embedded_image()
{
    const QByteArray image = [] {
        QFile file(QStringLiteral(":resources/firmware.bin"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    QCOMPARE(image.indexOf(fixture::fw_begin), 428);
    QCOMPARE(image.indexOf(fixture::fw_end), 692);

    const Device::FW_Info fw = Device::make_FW_Info(image);
    QVERIFY(fw.valid);
    QCOMPARE(fw.info.type, Device::WREN);
    QCOMPARE(fw.name, QStringLiteral("Wren"));
    QCOMPARE(fw.rev, QStringLiteral("C2"));
    QCOMPARE(fw.details.size(), 3);
    QCOMPARE(fw.details[0].first, QStringLiteral("Build time"));
    QCOMPARE(fw.details[1].first, QStringLiteral("RMI rev"));
    QCOMPARE(fw.details[2].first, QStringLiteral("GIT rev"));
    QCOMPARE(Device::make_FW_Info(QStringLiteral(":resources/firmware.bin")).rev, QStringLiteral("C2"));
}

void TestFwInfo::rejected_blocks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    const QByteArray block = fw_block(three_pairs);
    QTest::newRow("erased read-out") << erased(2048) << QStringLiteral("index_beg = -1 index_end = -1");
    QTest::newRow("no end marker") << placed(erased(2048), 100, block.left(200)) << QStringLiteral("index_beg = 100 index_end = -1");
    QTest::newRow("end before begin")
        << placed(placed(erased(2048), 300, fixture::fw_begin), 200, fixture::fw_end)
        << QStringLiteral("index_beg = 300 index_end = 200 nr_of_pair_bytes = -172");
    QTest::newRow("d = 100") << placed(placed(erased(2048), 0, fixture::fw_begin), 100, fixture::fw_end)
                             << QStringLiteral("index_beg = 0 index_end = 100 nr_of_pair_bytes = 28");
    QTest::newRow("begin above 1948") << placed(erased(4096), 1952, block) << QString();
    QTest::newRow("end above 1948") << placed(erased(2048), 1900, block.left(72) + fixture::fw_end) << QString();
    QTest::newRow("empty") << QByteArray() << QStringLiteral("index_beg = -1 index_end = -1");
}

void TestFwInfo::rejected_blocks()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    LogCapture log;

    const Device::FW_Info fw = Device::make_FW_Info(bytes);

    QVERIFY(!fw.valid);
    QCOMPARE(int(fw.info.type), 0);
    QCOMPARE(fw.name, QString());
    QVERIFY(fw.details.isEmpty());
    QCOMPARE(log.messages(QtDebugMsg), message.isEmpty() ? QStringList{} : QStringList{message});
}

void TestFwInfo::block_without_pairs()
{
    const Device::FW_Info fw = Device::make_FW_Info(placed(erased(2048), 428, fw_block(Block{})));
    QVERIFY(fw.valid);
    QVERIFY(fw.details.isEmpty());
    QVERIFY(QString(fw).endsWith(QStringLiteral("\n  Details:")));
}

void TestFwInfo::pair_with_empty_value_ends_the_pairs()
{
    Block b = three_pairs;
    b.pairs[1].second.clear();
    const Device::FW_Info fw = Device::make_FW_Info(placed(erased(2048), 0, fw_block(b)));
    QVERIFY(fw.valid);
    QCOMPARE(fw.details.size(), 1);
    QCOMPARE(fw.details[0].first, QStringLiteral("Build time"));
}

void TestFwInfo::name_without_zero_byte_is_empty()
{
    QByteArray block = fw_block(three_pairs);
    block.replace(8, 32, QByteArray(32, 'N'));
    const Device::FW_Info fw = Device::make_FW_Info(placed(erased(2048), 0, block));
    QVERIFY(fw.valid);
    QCOMPARE(fw.name, QString());
    QCOMPARE(fw.rev, QStringLiteral("C2"));
}

void TestFwInfo::only_the_first_block_counts()
{
    Block second = three_pairs;
    second.rev = "D9";
    const QByteArray bytes = placed(placed(erased(2048), 428, fw_block(three_pairs)), 1200, fw_block(second));
    QCOMPARE(Device::make_FW_Info(bytes).rev, QStringLiteral("C2"));
}

void TestFwInfo::unlisted_type_is_still_valid()
{
    Block b;
    b.type = 0x63;
    const Device::FW_Info fw = Device::make_FW_Info(placed(erased(2048), 0, fw_block(b)));
    QVERIFY(fw.valid);
    QCOMPARE(fw.info.type, Device::unknown);
    QCOMPARE(fw.info.raw_type, 0x63);
}

void TestFwInfo::get_string_stays_inside_the_data_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("text");
    QTest::newRow("field") << fixture::field("Wren") << 0 << QStringLiteral("Wren");
    QTest::newRow("starts with zero") << QByteArray(32, '\0') << 0 << QString();
    QTest::newRow("31 characters") << fixture::field(QByteArray(31, 'x')) << 0 << QString(31, 'x');
    QTest::newRow("32 without zero") << QByteArray(40, 'x') << 0 << QString();
    QTest::newRow("cut short by the end") << QByteArray("abc") << 0 << QStringLiteral("abc");
    QTest::newRow("zero after 32 bytes") << QByteArray(32, 'x') + QByteArray(1, '\0') << 0 << QString();
    QTest::newRow("at the end") << QByteArray("abc") << 3 << QString();
    QTest::newRow("beyond the end") << QByteArray("abc") << 1000 << QString();
    QTest::newRow("negative") << QByteArray("abc") << -5 << QString();
    QTest::newRow("UTF-8") << fixture::field("gr\xc3\xbc\xc3\x9f") << 0 << QString::fromUtf8("grüß");
}

void TestFwInfo::get_string_stays_inside_the_data()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, offset);
    QFETCH(QString, text);
    QCOMPARE(Device::get_string(bytes, offset), text);
}

void TestFwInfo::local_strlen()
{
    const QByteArray empty(32, '\0');
    const QByteArray thirty_one = QByteArray(31, 'x') + QByteArray(1, '\0');
    const QByteArray none(32, 'x');
    QCOMPARE(Device::local_strlen(empty.constData()), 0);
    QCOMPARE(Device::local_strlen(thirty_one.constData()), 31);
    QCOMPARE(Device::local_strlen(none.constData()), -1);
}

void TestFwInfo::text_forms()
{
    QCOMPARE(QString(Device::FW_Info()), QStringLiteral("FW info:\n\tInvalid"));

    Block b = three_pairs;
    b.pairs.resize(1);
    const Device::FW_Info fw = Device::make_FW_Info(placed(erased(2048), 0, fw_block(b)));
    QCOMPARE(QString(fw), QStringLiteral("FW info:\n"
                                         "  Type: ProductInfo: WREN (30)\n"
                                         "  Name: Wren\n"
                                         "  Rev.: C2\n"
                                         "  Details:\n"
                                         "    Build time                     : 2026-11-27                     "));
    LogCapture log;
    qInfo() << fw << QStringLiteral("next");
    QCOMPARE(log.messages(), QStringList{QString(fw) + " \"next\""});
}

QTEST_GUILESS_MAIN(TestFwInfo)
#include "test_fw_info.moc"
