// Download, read-back and comparison, against the fixture unit.

#include "dfu/firmware_transfer.h"
#include "support/unit_fixture.h"

#include <QtTest>

class TestFirmwareTransfer : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.path() + '/' + name; }
    QString file_with(const QString& name, const QByteArray& bytes) const
    {
        write_file(path(name), bytes);
        return path(name);
    }
    const QByteArray image = QByteArray(3000, 'a') + QByteArray("\x01\x02\x03", 3);

private slots:
    void download_writes_the_image();
    void upload_reads_the_region_into_a_fresh_file();
    void sizes();
    void comparison_data();
    void comparison();
    void verification_data();
    void verification();
};

void TestFirmwareTransfer::download_writes_the_image()
{
    UnitFixture unit;
    const QString firmware = file_with("firmware.bin", image);
    QCOMPARE(DFU::download_FW_to_device(firmware), 0);
    QCOMPARE(unit.calls(), QStringList{"-d 0483 -a 0 -s 0x08000000:leave -D " + firmware});
    QCOMPARE(unit.flash(), image);

    unit.fail_region("0x08000000:leave");
    QCOMPARE(DFU::download_FW_to_device(firmware), 74);
}

void TestFirmwareTransfer::upload_reads_the_region_into_a_fresh_file()
{
    UnitFixture unit;
    unit.set_flash(image);
    const QString target = file_with("uploaded_FW.bin", "earlier read-back");

    QCOMPARE(DFU::upload_FW_from_device(target, 2048), 0);
    QCOMPARE(unit.calls(), QStringList{"-d 0483 -a 0 -s 0x08000000:2048 -U " + target});
    QCOMPARE(file_bytes(target), image.left(2048));

    file_with("uploaded_FW.bin", "earlier read-back");
    unit.fail_region("0x08000000:2048");
    QCOMPARE(DFU::upload_FW_from_device(target, 2048), 74);
    QVERIFY(!QFile::exists(target));
}

void TestFirmwareTransfer::sizes()
{
    QCOMPARE(DFU::size_of_binary_file(path("missing.bin")), -1);
    QCOMPARE(DFU::size_of_binary_file(file_with("empty.bin", QByteArray())), 0);
    QCOMPARE(DFU::size_of_binary_file(file_with("image.bin", image)), image.size());
}

void TestFirmwareTransfer::comparison_data()
{
    QTest::addColumn<QByteArray>("a");
    QTest::addColumn<QByteArray>("b");
    QTest::addColumn<bool>("same");
    QByteArray last_differs = image;
    last_differs[last_differs.size() - 1] = '\x04';
    QByteArray first_differs = image;
    first_differs[0] = 'b';
    QTest::newRow("identical") << image << image << true;
    QTest::newRow("last byte differs") << image << last_differs << false;
    QTest::newRow("first byte differs") << image << first_differs << false;
    QTest::newRow("shorter") << image << image.left(image.size() - 1) << false;
    QTest::newRow("both empty") << QByteArray() << QByteArray() << false;
}

void TestFirmwareTransfer::comparison()
{
    QFETCH(QByteArray, a);
    QFETCH(QByteArray, b);
    QFETCH(bool, same);
    QCOMPARE(DFU::compare_FW_bin_files(file_with("a.bin", a), file_with("b.bin", b)), same);
}

void TestFirmwareTransfer::verification_data()
{
    QTest::addColumn<QByteArray>("reference");
    QTest::addColumn<QByteArray>("flash");
    QTest::addColumn<bool>("upload_fails");
    QTest::addColumn<bool>("verified");
    QTest::addColumn<int>("runs");
    QByteArray corrupted = image;
    corrupted[1500] = 'z';
    QTest::newRow("flash matches") << image << image + QByteArray(500, '\xFF') << false << true << 1;
    QTest::newRow("one byte differs") << image << corrupted << false << false << 1;
    QTest::newRow("flash shorter than image") << image << image.left(1000) << false << false << 1;
    QTest::newRow("upload fails") << image << image << true << false << 1;
    QTest::newRow("empty reference") << QByteArray() << image << false << false << 0;
}

void TestFirmwareTransfer::verification()
{
    QFETCH(QByteArray, reference);
    QFETCH(QByteArray, flash);
    QFETCH(bool, upload_fails);
    QFETCH(bool, verified);
    QFETCH(int, runs);
    UnitFixture unit;
    unit.set_flash(flash);
    if (upload_fails)
        unit.fail_region(QByteArray("0x08000000:") + QByteArray::number(reference.size()));

    const bool result = DFU::upload_and_compare_FW_bin(file_with("firmware.bin", reference), path("uploaded_FW.bin"));

    QCOMPARE(result, verified);
    QCOMPARE(unit.calls().size(), runs);
    QVERIFY(!DFU::upload_and_compare_FW_bin(path("missing.bin"), path("uploaded_FW.bin")));
    QCOMPARE(unit.calls().size(), runs);
}

QTEST_GUILESS_MAIN(TestFirmwareTransfer)
#include "test_firmware_transfer.moc"
