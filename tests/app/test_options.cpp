// The command line: which dfu-util the tool will use, and whether the log goes to the
// log window.

#include "app/program_objects.h"
#include "app/startup.h"
#include "simulation/simulator.h"
#include "support/log_capture.h"

#include <QCoreApplication>
#include <QtTest>
#include <vector>

class TestOptions : public QObject {
    Q_OBJECT

private slots:
    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("option_line");
        QTest::addColumn<bool>("simulator");
        QTest::addColumn<bool>("log_window");

        const QString none = "Initial value of 'simulator::use'=false, isSet('-s')=false, isSet('-S')=false";
        const QString s_only = "Initial value of 'simulator::use'=false, isSet('-s')=true, isSet('-S')=false";
        const QString big_s = "Initial value of 'simulator::use'=false, isSet('-s')=false, isSet('-S')=true";
        const QString both = "Initial value of 'simulator::use'=false, isSet('-s')=true, isSet('-S')=true";
        QTest::newRow("no options") << QStringList{} << none << false << false;
        QTest::newRow("-s") << QStringList{"-s"} << s_only << true << false;
        QTest::newRow("--use-simulator -l") << QStringList{"--use-simulator", "-l"} << s_only << true << true;
        QTest::newRow("-S") << QStringList{"-S"} << big_s << false << false;
        QTest::newRow("-s -S") << QStringList{"-s", "-S"} << both << false << false;
        QTest::newRow("-S -s") << QStringList{"-S", "-s"} << both << false << false;
        QTest::newRow("--no-use-simulator --use-log-window")
            << QStringList{"--no-use-simulator", "--use-log-window"} << big_s << false << true;
        QTest::newRow("positional ignored") << QStringList{"-l", "extra", "words"} << none << false << true;
    }

    void options()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, option_line);
        QFETCH(bool, simulator);
        QFETCH(bool, log_window);
        simulator::use = false;
        use_log_window = false;

        QList<QByteArray> storage{"strobix-upgrade"};
        for (const QString& a : arguments)
            storage << a.toLocal8Bit();
        std::vector<char*> argv;
        for (QByteArray& a : storage)
            argv.push_back(a.data());
        int argc = static_cast<int>(argv.size());
        QCoreApplication app(argc, argv.data());
        LogCapture log;

        parse_arguments(&app);

        QCOMPARE(log.messages(QtDebugMsg), QStringList{option_line});
        QCOMPARE(simulator::use, simulator);
        QCOMPARE(use_log_window, log_window);
        QVERIFY(!have_service_build());
    }
};

QTEST_APPLESS_MAIN(TestOptions)
#include "test_options.moc"
