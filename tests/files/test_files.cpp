// Extraction into the temporary directory, and the small file helpers.

#include "files/files.h"
#include "support/file_bytes.h"
#include "files/support_misc.h"
#include "support/log_capture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

using Files::ID;

namespace {

// The file's mode bits as the file system holds them.
unsigned mode_of(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

}  // namespace

class TestFiles : public QObject {
    Q_OBJECT

private slots:
    // Extraction shares one temporary directory for the whole run, so these go in order.
    void names_and_directory();
    void empty_list_copies_nothing();
    void extraction_copies_read_only_files();
    void second_extraction_fails_and_keeps_first_copy();
    void invalid_directory_extracts_nothing();
    void extracted_dfu_util_runs_with_extracted_library();
    void marking_a_missing_file_fails();

    void ensure_file_is_deleted();
    void load_text_file_stops_at_nul();
    void load_text_file_throws_for_missing_file();
    void remove_carriage_returns_data();
    void remove_carriage_returns();
    void platform_text_form_data();
    void platform_text_form();
};

void TestFiles::names_and_directory()
{
    const QStringList expected{"dfu-util",        "libusb-1.0.0.dylib",   "firmware.dfu",   "firmware.bin",
                               "uploaded_FW.bin", "uploaded_FW_info.bin", "uploaded_OTP.bin"};
    QCOMPARE(Files::basename.values(), expected);
    QCOMPARE(Files::basename.keys().first(), Files::dfu_util_executable);
    QCOMPARE(Files::basename.keys().last(), Files::uploaded_OTP_bin);
    QCOMPARE(Files::uploaded_OTP_fileName_bin, Files::basename.value(Files::uploaded_OTP_bin));

    QVERIFY(Files::external_dir.isValid());
    const QFileInfo dir(Files::external_dir.path());
    QCOMPARE(dir.absolutePath(), QDir::tempPath());
    QVERIFY2(QRegularExpression("^upgrade_.{6}$").match(dir.fileName()).hasMatch(), qPrintable(dir.fileName()));
}

void TestFiles::empty_list_copies_nothing()
{
    QVERIFY(Files::extract_resources({}, true));
    QCOMPARE(QDir(Files::external_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList{});
}

void TestFiles::extraction_copies_read_only_files()
{
    LogCapture log;
    QVERIFY(Files::extract_resources({Files::desired_FW_bin}, true));

    QCOMPARE(file_bytes(Files::path_in_external_dir("firmware.bin")), file_bytes(":resources/firmware.bin"));
    QVERIFY(!file_bytes(Files::path_in_external_dir("firmware.bin")).isEmpty());
    QCOMPARE(mode_of(Files::path_in_external_dir("firmware.bin")), 0444u);
    QCOMPARE(log.messages(QtDebugMsg), QStringList{"Extracted \"firmware.bin\""});
}

void TestFiles::second_extraction_fails_and_keeps_first_copy()
{
    const QByteArray first = file_bytes(Files::path_in_external_dir("firmware.bin"));
    LogCapture log;

    // The failing ID comes first: the ones after it are still copied.
    QVERIFY(!Files::extract_resources({Files::desired_FW_bin, Files::desired_FW_dfu}, true));
    QCOMPARE(log.messages(QtInfoMsg), QStringList{"Failed to extract \"firmware.bin\""});
    QVERIFY(QFile::exists(Files::path_in_external_dir("firmware.dfu")));
    QCOMPARE(file_bytes(Files::path_in_external_dir("firmware.bin")), first);

    QVERIFY(Files::extract_resources({Files::desired_FW_bin}, false));
}

void TestFiles::invalid_directory_extracts_nothing()
{
    // The directory is made before main, so the probe needs a process of its own.
    for (const char* strict : {"strict", "lenient"}) {
        QProcess probe;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        // A place where not even root can make a directory.
        env.insert("TMPDIR", "/proc");
        probe.setProcessEnvironment(env);
        probe.start(QStringLiteral(EXTRACTION_PROBE), {strict});
        QVERIFY(probe.waitForFinished(30000));
        const QString out = QString::fromUtf8(probe.readAllStandardOutput());
        const QString err = QString::fromUtf8(probe.readAllStandardError());
        QCOMPARE(out, QStringLiteral("result=false files=0\n"));
        QVERIFY2(err.contains("Failed to create temporary directory:"), qPrintable(err));
        QVERIFY(!err.contains("Extracted"));
    }
}

void TestFiles::extracted_dfu_util_runs_with_extracted_library()
{
    QVERIFY(Files::extract_resources({Files::dfu_util_executable, Files::libusb_library}, true));
    const QString dfu_util = Files::path_in_external_dir("dfu-util");
    QCOMPARE(mode_of(dfu_util), 0444u);

    QVERIFY(support_misc::mark_file_executable(dfu_util));
    QCOMPARE(mode_of(dfu_util), 0555u);

    QProcess ldd;
    ldd.start("ldd", {dfu_util});
    QVERIFY(ldd.waitForFinished(30000));
    const QString libraries = QString::fromUtf8(ldd.readAllStandardOutput());
    QVERIFY2(libraries.contains("libusb-1.0.0.dylib => " + Files::path_in_external_dir("libusb-1.0.0.dylib")),
             qPrintable(libraries));

    QProcess version;
    version.start(dfu_util, {"-V"});
    QVERIFY(version.waitForFinished(30000));
    QCOMPARE(version.exitCode(), 0);
    QVERIFY(version.readAllStandardOutput().startsWith("dfu-util "));
}

void TestFiles::marking_a_missing_file_fails()
{
    LogCapture log;
    const QString missing = Files::path_in_external_dir("no-such-file");
    QVERIFY(!support_misc::mark_file_executable(missing));
    QCOMPARE(log.messages(QtWarningMsg),
             QStringList{"Failed to mark file (doesn't exist) as executable: \"" + missing + '"'});
}

void TestFiles::ensure_file_is_deleted()
{
    QTemporaryDir dir;
    const QString file = dir.path() + "/read-out.bin";
    const QString subdir = dir.path() + "/sub";
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    support_misc::ensure_file_is_deleted(file);
    support_misc::ensure_file_is_deleted(subdir);
    support_misc::ensure_file_is_deleted(dir.path() + "/missing");

    QVERIFY(!QFile::exists(file));
    QVERIFY(QFileInfo(subdir).isDir());
}

void TestFiles::load_text_file_stops_at_nul()
{
    QTemporaryDir dir;
    QFile file(dir.path() + "/text");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("gr\xc3\xbc\xc3\x9f\n", 7) + QByteArray(1, '\0') + "hidden");
    file.close();
    QCOMPARE(support_misc::load_text_file(file.fileName()), QString::fromUtf8("grüß\n"));
}

void TestFiles::load_text_file_throws_for_missing_file()
{
    const QString path = QStringLiteral("/no/such/settings.json");
    try {
        support_misc::load_text_file(path);
        QFAIL("no exception");
    } catch (const QString& error) {
        QCOMPARE(error, "Couldn't open file: " + path);
    }
}

void TestFiles::remove_carriage_returns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("line ends") << QStringLiteral("a\r\nb\r\n") << QStringLiteral("a\nb\n");
    QTest::newRow("inside lines") << QStringLiteral("\ra\rb\r\r") << QStringLiteral("ab");
    QTest::newRow("none") << QStringLiteral("plain\n") << QStringLiteral("plain\n");
}

void TestFiles::remove_carriage_returns()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(support_misc::remove_carriage_returns(text, QChar(13)), expected);
}

void TestFiles::platform_text_form_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << QStringLiteral("Linux");
    QTest::newRow("1") << 1 << QStringLiteral("macOS");
    QTest::newRow("2") << 2 << QStringLiteral("windows");
    QTest::newRow("3") << 3 << QStringLiteral("unknown");
    QTest::newRow("out of range") << 7 << QString();
}

void TestFiles::platform_text_form()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    LogCapture log;
    // The stream writes the text unquoted and leaves quoting on for what follows.
    qInfo() << static_cast<support_misc::Platform>(value) << QStringLiteral("next");
    QCOMPARE(log.messages(), QStringList{text + " \"next\""});
}

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
