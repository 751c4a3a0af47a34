// Checks the files the tool embeds, as the build generated them: the firmware image and
// its generator, the DfuSe file packed from the image, and the renamed fonts.

#include "dfuse_file.h"
#include "firmware_layout.h"
#include "font_names.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QProcess>
#include <QRawFont>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace firmware_layout;

namespace {

const QString family = QStringLiteral("Strobix Sans");
constexpr int endMarkerOffset = informationBlockOffset + 264; // three detail pairs

QString generated(const QString &file)
{
    return QDir(QStringLiteral(STROBIX_GENERATED_DIR)).filePath(file);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString hex(quint32 value)
{
    return QStringLiteral("0x%1").arg(value, 8, 16, QLatin1Char('0'));
}

QString offsetList(const QVector<int> &offsets)
{
    QStringList texts;
    for (const int offset : offsets)
        texts << QString::number(offset);
    return texts.join(QStringLiteral(", "));
}

// Comparing megabytes with QCOMPARE would print them; this names the first difference.
QString difference(const QByteArray &actual, const QByteArray &expected)
{
    if (actual == expected)
        return {};
    int at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return QStringLiteral("%1 bytes against %2, first difference at offset %3")
        .arg(actual.size()).arg(expected.size()).arg(at);
}

struct Run {
    bool finished = false;
    int exitCode = -1;
    QString out;
    QString err;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    Run result;
    result.finished = process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = result.finished ? QString::fromUtf8(process.readAllStandardError())
                                 : program + QStringLiteral(": ") + process.errorString();
    return result;
}

Run runGenerator(const QStringList &arguments)
{
    return run(QStringLiteral(STROBIX_PYTHON), QStringList{QStringLiteral(STROBIX_FIRMWARE_TOOL)} + arguments);
}

QStringList generatorArguments(const QString &name, int type, const QString &revision, int size)
{
    return {QStringLiteral("--name"), name, QStringLiteral("--type"), QString::number(type),
            QStringLiteral("--revision"), revision, QStringLiteral("--size"), QString::number(size)};
}

// Each pattern must match a whole line of what the program printed.
void checkPrinted(const Run &result, const QStringList &patterns)
{
    QVERIFY2(result.finished, qPrintable(result.err));
    QVERIFY2(result.exitCode == 0, qPrintable(result.out + result.err));
    for (const QString &pattern : patterns) {
        const QRegularExpression line(QLatin1Char('^') + pattern + QLatin1Char('$'),
                                      QRegularExpression::MultilineOption);
        QVERIFY2(line.match(result.out).hasMatch(),
                 qPrintable(QStringLiteral("no line matches %1 in:\n%2").arg(pattern, result.out)));
    }
}

void checkVectorTable(const QByteArray &image, int codeOffset)
{
    // dfu-util strips what looks like a TI (01 00 ...) or NXP LPC prefix off a raw image.
    QVERIFY(!image.startsWith(QByteArray("\x01\x00", 2)));
    QVERIFY(!((image[0] & 0x3f) == 0x1a && (image[1] & 0x3f) == 0x3f));

    const quint32 stack = word(image, 0);
    QVERIFY2(stack > 0x20000000 && stack <= 0x20030000 && stack % 8 == 0, qPrintable(hex(stack)));

    const QSet<int> reserved{7, 8, 9, 10, 13};
    const quint32 codeBegin = flashBase + quint32(codeOffset);
    const quint32 imageEnd = flashBase + quint32(image.size());
    for (int vector = 1; vector < vectorCount; ++vector) {
        const quint32 handler = word(image, 4 * vector);
        const QString where = QStringLiteral("vector %1 = %2").arg(vector).arg(hex(handler));
        if (reserved.contains(vector)) {
            QVERIFY2(handler == 0, qPrintable(where));
            continue;
        }
        QVERIFY2(handler & 1, qPrintable(where + QStringLiteral(" lacks the Thumb bit")));
        QVERIFY2(handler - 1 >= codeBegin && handler - 1 < imageEnd,
                 qPrintable(where + QStringLiteral(" is not in the code after the header")));
    }
}

void addFontRows()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("weight");
    QTest::newRow("Regular") << "StrobixSans-Regular.otf" << "Regular" << int(QFont::Normal);
    QTest::newRow("Bold") << "StrobixSans-Bold.otf" << "Bold" << int(QFont::Bold);
}

QVector<font_names::Record> nameRecords(const QString &path)
{
    const QRawFont font(path, 16);
    QVector<font_names::Record> records;
    QString error;
    if (!font.isValid() || !font_names::parse(font.fontTable("name"), records, error))
        qWarning("%s: %s", qPrintable(path), font.isValid() ? qPrintable(error) : "not a font");
    return records;
}

// The copyright and licence records, which the licence requires to stay as they were.
QStringList keptRecords(const QVector<font_names::Record> &records)
{
    QStringList kept;
    for (const auto &record : records)
        if (record.nameId == 0 || record.nameId == 13 || record.nameId == 14)
            kept << QStringLiteral("%1/%2: %3").arg(record.platform).arg(record.nameId).arg(record.text);
    kept.sort();
    return kept;
}

} // namespace

class EmbeddedFilesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void firmwareImage_data();
    void firmwareImage();
    void generatorIsDeterministic();
    void generatorRejects_data();
    void generatorRejects();

    void dfuFileLayout();
    void dfusePackReadsDfuFile();
    void dfuSuffixReadsDfuFile();

    void fontFace_data() { addFontRows(); }
    void fontFace();
    void fontNames_data() { addFontRows(); }
    void fontNames();

private:
    QByteArray firmwareBin_;
    QByteArray firmwareDfu_;
};

void EmbeddedFilesTest::initTestCase()
{
    firmwareBin_ = readAll(generated(QStringLiteral("firmware.bin")));
    firmwareDfu_ = readAll(generated(QStringLiteral("firmware.dfu")));
    QVERIFY2(!firmwareBin_.isEmpty() && !firmwareDfu_.isEmpty(),
             "firmware.bin and firmware.dfu missing in " STROBIX_GENERATED_DIR
             ": build the strobix_generated_files target");
}

void EmbeddedFilesTest::firmwareImage_data()
{
    QTest::addColumn<bool>("embedded");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("revision");
    QTest::addColumn<int>("size");
    QTest::newRow("embedded Wren C2") << true << "Wren" << 30 << "C2" << 709412;
    QTest::newRow("Kite B7, 4 KiB") << false << "Kite" << 43 << "B7" << 4096;
    QTest::newRow("31-byte name, type 255, smallest image")
        << false << QString(31, QLatin1Char('N')) << 255 << "A0" << 1024;
    QTest::newRow("UTF-8 name, type 0, odd size") << false << QStringLiteral("Zaunkönig") << 0 << "D1" << 5001;
}

void EmbeddedFilesTest::firmwareImage()
{
    QFETCH(bool, embedded);
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(QString, revision);
    QFETCH(int, size);

    QByteArray image;
    QTemporaryDir dir;
    if (embedded) {
        if (!STROBIX_EMBEDS_GENERATED_IMAGE)
            QSKIP("this build embeds a real firmware image");
        image = firmwareBin_;
    } else {
        const QString output = dir.filePath(QStringLiteral("firmware.bin"));
        const Run result = runGenerator(generatorArguments(name, type, revision, size)
                                        << QStringLiteral("--output") << output);
        QVERIFY2(result.finished && result.exitCode == 0, qPrintable(result.err));
        image = readAll(output);
    }
    QCOMPARE(image.size(), size);

    QCOMPARE(offsetList(occurrences(image, beginMarker)), QString::number(informationBlockOffset));
    QCOMPARE(offsetList(occurrences(image, endMarker)), QString::number(endMarkerOffset));
    FirmwareInfo info;
    QString error;
    QVERIFY2(readFirmwareInfo(image, informationBlockOffset, info, error), qPrintable(error));
    QCOMPARE(info.endMarkerOffset, endMarkerOffset);
    QCOMPARE(int(info.productType), type);
    QCOMPARE(info.productTail, QByteArray("\xff\xff\xff"));
    QCOMPARE(info.name, name);
    QCOMPARE(info.revision, revision);
    QStringList keys;
    for (const auto &detail : info.details) {
        keys << detail.first;
        QVERIFY2(!detail.second.isEmpty(), qPrintable(detail.first));
    }
    QCOMPARE(keys, (QStringList{"Build time", "RMI rev", "GIT rev"}));

    checkVectorTable(image, endMarkerOffset + endMarker.size());
}

void EmbeddedFilesTest::generatorIsDeterministic()
{
    if (!STROBIX_EMBEDS_GENERATED_IMAGE)
        QSKIP("this build embeds a real firmware image");
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("firmware.bin"));
    const Run result = runGenerator(generatorArguments(QStringLiteral("Wren"), 30, QStringLiteral("C2"), 709412)
                                    << QStringLiteral("--output") << output);
    QVERIFY2(result.finished && result.exitCode == 0, qPrintable(result.err));
    const QString mismatch = difference(readAll(output), firmwareBin_);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void EmbeddedFilesTest::generatorRejects_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("value");
    QTest::newRow("40-byte name") << "--name" << QString(40, QLatin1Char('n'));
    QTest::newRow("name of 16 two-byte characters") << "--name" << QString(16, QChar(0x00F6));
    QTest::newRow("32-byte revision") << "--revision" << QString(32, QLatin1Char('r'));
    QTest::newRow("100-byte image") << "--size" << "100";
    QTest::newRow("type byte 256") << "--type" << "256";
}

void EmbeddedFilesTest::generatorRejects()
{
    QFETCH(QString, option);
    QFETCH(QString, value);

    QStringList arguments = generatorArguments(QStringLiteral("Kite"), 43, QStringLiteral("B7"), 4096);
    arguments[arguments.indexOf(option) + 1] = value;
    QTemporaryDir dir;
    const QString output = dir.filePath(QStringLiteral("firmware.bin"));
    const Run result = runGenerator(arguments << QStringLiteral("--output") << output);

    QVERIFY2(result.finished, qPrintable(result.err));
    // 2 is argparse's usage error: a crash of the generator would exit 1 instead.
    QCOMPARE(result.exitCode, 2);
    QVERIFY2(result.err.contains(option), qPrintable(result.err));
    QVERIFY(!QFile::exists(output));
}

void EmbeddedFilesTest::dfuFileLayout()
{
    dfuse_file::File file;
    QString error;
    QVERIFY2(dfuse_file::parse(firmwareDfu_, file, error), qPrintable(error));

    QCOMPARE(file.signature, QByteArray("DfuSe"));
    QCOMPARE(int(file.version), 1);
    QCOMPARE(file.imageSize, quint32(firmwareDfu_.size()));
    QCOMPARE(file.targets.size(), 1);
    const dfuse_file::Target &target = file.targets.first();
    QCOMPARE(target.signature, QByteArray("Target"));
    QCOMPARE(int(target.alternateSetting), 0);
    QCOMPARE(target.elements.size(), 1);
    QCOMPARE(target.elements.first().address, flashBase);
    const QString mismatch = difference(target.elements.first().data, firmwareBin_);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));

    QCOMPARE(file.idProduct, quint16(0xdf11));
    QCOMPARE(file.idVendor, quint16(0x0483));
    QCOMPARE(file.bcdDfu, quint16(0x011a));
    QCOMPARE(file.suffixSignature, QByteArray("UFD"));
    QCOMPARE(int(file.suffixLength), 16);
    QCOMPARE(hex(file.crc), hex(dfuse_file::dfuCrc(firmwareDfu_.chopped(4))));
}

void EmbeddedFilesTest::dfusePackReadsDfuFile()
{
    // The dump writes the images beside the file it reads: keep them out of the build tree.
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("firmware.dfu"));
    QVERIFY(QFile::copy(generated(QStringLiteral("firmware.dfu")), copy));
    const Run result = run(QStringLiteral(STROBIX_PYTHON),
                           {QStringLiteral(STROBIX_DFUSE_PACK), QStringLiteral("-d"), copy});

    const QString crc = hex(dfuse_file::dfuCrc(firmwareDfu_.chopped(4)));
    checkPrinted(result, {
        QStringLiteral("b'DfuSe' v1, image size: %1, targets: 1").arg(firmwareDfu_.size()),
        QStringLiteral("b'Target' 0, alt setting: 0, name: .*, size: %1, elements: 1")
            .arg(firmwareBin_.size() + 8),
        QStringLiteral("  0, address: 0x08000000, size: %1").arg(firmwareBin_.size()),
        QStringLiteral("usb: 0483:df11, device: 0x[0-9a-f]{4}, dfu: 0x011a, b'UFD', 16, %1").arg(crc),
    });
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(!result.out.contains(QStringLiteral("ERROR")), qPrintable(result.out));
    const QString mismatch = difference(readAll(copy + QStringLiteral(".target0.image0.bin")), firmwareBin_);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void EmbeddedFilesTest::dfuSuffixReadsDfuFile()
{
    const Run result = run(QStringLiteral(STROBIX_DFU_SUFFIX),
                           {QStringLiteral("-c"), generated(QStringLiteral("firmware.dfu"))});
    const QString crc = hex(dfuse_file::dfuCrc(firmwareDfu_.chopped(4))).mid(2).toUpper();
    checkPrinted(result, {
        QStringLiteral("Product ID:\\s+0xDF11"),
        QStringLiteral("Vendor ID:\\s+0x0483"),
        QStringLiteral("BCD DFU:\\s+0x011A"),
        QStringLiteral("Length:\\s+16"),
        QStringLiteral("CRC:\\s+0x%1").arg(crc),
    });
}

void EmbeddedFilesTest::fontFace()
{
    QFETCH(QString, file);
    QFETCH(QString, style);
    QFETCH(int, weight);
    const QString path = generated(file);

    const int id = QFontDatabase::addApplicationFont(path);
    QVERIFY2(id >= 0, qPrintable(path));
    QCOMPARE(QFontDatabase::applicationFontFamilies(id), QStringList{family});

    const QRawFont raw(path, 16);
    QVERIFY(raw.isValid());
    QCOMPARE(raw.familyName(), family);
    QCOMPARE(raw.styleName(), style);
    QCOMPARE(raw.weight(), weight);

    const QFontDatabase database;
    QVERIFY2(database.styles(family).contains(style), qPrintable(database.styles(family).join(", ")));
    QCOMPARE(database.weight(family, style), weight);

    // How the tool asks for its font: by family and weight, never by file.
    QFont font(family);
    font.setWeight(weight);
    const QFontInfo chosen(font);
    QCOMPARE(chosen.family(), family);
    QCOMPARE(chosen.styleName(), style);
}

void EmbeddedFilesTest::fontNames()
{
    QFETCH(QString, file);
    QFETCH(QString, style);
    const QVector<font_names::Record> records = nameRecords(generated(file));
    QVERIFY(!records.isEmpty());

    const QHash<quint16, QString> expected{
        {1, family},
        {2, style},
        {4, family + QLatin1Char(' ') + style},
        {6, QStringLiteral("StrobixSans-") + style},
        {16, family},
        {17, style},
    };
    QSet<quint16> seen;
    for (const auto &record : records) {
        const QString where = QStringLiteral("name %1 (platform %2): %3")
                                  .arg(record.nameId).arg(record.platform).arg(record.text);
        seen.insert(record.nameId);
        if (expected.contains(record.nameId))
            QVERIFY2(record.text == expected.value(record.nameId), qPrintable(where));
        else if (record.nameId != 0 && record.nameId != 13 && record.nameId != 14)
            QVERIFY2(!record.text.contains(QStringLiteral("Inter")), qPrintable(where));
    }
    for (const quint16 id : {1, 2, 4, 6})
        QVERIFY2(seen.contains(id), qPrintable(QStringLiteral("no name %1").arg(id)));

    const QString source = QDir(QStringLiteral(STROBIX_FONT_SOURCE_DIR))
                               .filePath(QStringLiteral("Inter-%1.otf").arg(style));
    const QStringList kept = keptRecords(records);
    QVERIFY(!kept.isEmpty());
    QCOMPARE(kept, keptRecords(nameRecords(source)));
}

QTEST_MAIN(EmbeddedFilesTest)
#include "test_embedded_files.moc"
