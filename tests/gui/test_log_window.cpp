// The log window: what it shows and echoes, its buttons and keys, its place on screen,
// saving its text, and messages from another thread.

#include "gui/log_window.h"
#include "support/file_bytes.h"
#include "gui/log_window_dialog.h"
#include "log_window_routing.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

QTextBrowser* view_of(const LogWindow& window)
{
    return window.dialog->findChild<QTextBrowser*>();
}

QPushButton* button_of(const LogWindow& window, const QString& caption)
{
    for (QPushButton* button : window.dialog->findChildren<QPushButton*>())
        if (button->text() == caption)
            return button;
    return nullptr;
}

void log_to(LogWindow& window, QtMsgType type, const QString& text)
{
    emit window.sendMessage(type, QMessageLogContext(), text);
}

// Hands the modal window that the code under test opens next to `act`, which must close
// it; null when no modal window opened.
void on_next_modal_window(std::function<void(QWidget*)> act)
{
    QTimer::singleShot(0, qApp, [act] { act(QApplication::activeModalWidget()); });
}

struct FileDialogSeen {
    bool opened = false;
    QString title;
    QStringList filters;
    QStringList proposed;
};

// Answers the save dialog with `answer`, or cancels it when `answer` is empty.
void answer_file_dialog(FileDialogSeen& seen, const QString& answer)
{
    on_next_modal_window([&seen, answer](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog)
            return;
        seen.opened = true;
        seen.title = dialog->windowTitle();
        seen.filters = dialog->nameFilters();
        seen.proposed = dialog->selectedFiles();
        if (answer.isEmpty()) {
            dialog->reject();
        } else {
            dialog->selectFile(answer);
            // The file dialog's own accept, as its Save button calls it.
            static_cast<QDialog*>(dialog)->accept();
        }
    });
}

struct MessageBoxSeen {
    bool opened = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

void close_message_box(MessageBoxSeen& seen)
{
    on_next_modal_window([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box)
            return;
        seen = {true, box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
        box->accept();
    });
}

struct ProbeRun {
    QProcess::ExitStatus status;
    int exit_code;
    QString error_stream;
};

ProbeRun run_probe(const QString& mode)
{
    // Without a runtime directory Qt warns before the probe's log window exists.
    QTemporaryDir runtime_dir;
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtime_dir.path());
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(LOG_WINDOW_PROBE), {mode});
    if (!probe.waitForFinished(30000))
        return {QProcess::CrashExit, -1, "probe did not finish"};
    return {probe.exitStatus(), probe.exitCode(), QString::fromLocal8Bit(probe.readAllStandardError())};
}

}  // namespace

class TestLogWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void dialog_starts_hidden_with_its_buttons_at_the_right();
    void dialog_lines_data();
    void dialog_lines();
    void error_stream_lines();
    void fatal_message_ends_process_data();
    void fatal_message_ends_process();
    void worker_messages_arrive_in_order();

    void clear_empties_the_view();
    void hiding_keeps_the_dialog_data();
    void hiding_keeps_the_dialog();
    void dialog_keys_do_nothing_data();
    void dialog_keys_do_nothing();
    void toggle_places_dialog_beside_main_window();
    void toggle_without_main_window_shows_dialog_where_it_was();

    void save_output_offers_text_files_in_home();
    void save_output_writes_the_chosen_file();
    void saving_replaces_file_contents();
    void unwritable_file_is_reported_and_log_kept_data();
    void unwritable_file_is_reported_and_log_kept();

private:
    QTemporaryDir home;
};

void TestLogWindow::initTestCase()
{
    QVERIFY(home.isValid());
    // The save dialog proposes a file in the user's home directory.
    qputenv("HOME", QFile::encodeName(home.path()));
}

void TestLogWindow::dialog_starts_hidden_with_its_buttons_at_the_right()
{
    LogWindow window;
    LogWindowDialog* dialog = window.dialog;
    QVERIFY(!dialog->isVisible());
    QVERIFY(dialog->isWindow());
    QCOMPARE(dialog->parentWidget(), nullptr);
    QCOMPARE(dialog->size(), QSize(600, 400));

    dialog->show();
    QTextBrowser* view = view_of(window);
    QPushButton* clear = button_of(window, "clear");
    QPushButton* save = button_of(window, "save output");
    QPushButton* hide = button_of(window, "hide log");
    QVERIFY(view && clear && save && hide);
    QVERIFY(view->isReadOnly());
    QVERIFY(clear->geometry().right() < save->geometry().left());
    QVERIFY(save->geometry().right() < hide->geometry().left());
    QCOMPARE(hide->geometry().right(), view->geometry().right());
    QVERIFY(clear->geometry().left() > dialog->width() / 2);
    QVERIFY(view->geometry().bottom() < hide->geometry().top());
    QVERIFY(hide->geometry().bottom() < dialog->height());
}

void TestLogWindow::dialog_lines_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("line");
    QTest::newRow("debug") << int(QtDebugMsg) << "Scan: no unit" << "Debug: Scan: no unit";
    QTest::newRow("info, no prefix") << int(QtInfoMsg) << "dfu-util returns 0" << "dfu-util returns 0";
    QTest::newRow("warning") << int(QtWarningMsg) << "Missing file" << "Warning: Missing file";
    QTest::newRow("critical") << int(QtCriticalMsg) << "No unit" << "CRITICAL: No unit";
    QTest::newRow("markup shown as written")
        << int(QtInfoMsg) << "Status: <b>Wren</b> &amp; C2" << "Status: <b>Wren</b> &amp; C2";
    QTest::newRow("placeholder in message") << int(QtWarningMsg) << "100%1 done" << "Warning: 100%1 done";
    QTest::newRow("several lines") << int(QtDebugMsg) << "Found:\n  unit  1" << "Debug: Found:\n  unit  1";
}

void TestLogWindow::dialog_lines()
{
    QFETCH(int, type);
    QFETCH(QString, message);
    QFETCH(QString, line);
    LogWindow window;
    log_to(window, QtInfoMsg, "earlier");
    log_to(window, QtMsgType(type), message);
    QCOMPARE(view_of(window)->toPlainText(), "earlier\n" + line);
}

void TestLogWindow::error_stream_lines()
{
    const ProbeRun run = run_probe("lines");
    QCOMPARE(run.status, QProcess::NormalExit);
    QCOMPARE(run.exit_code, 0);
    QCOMPARE(run.error_stream, QStringLiteral("Debug: scanning (unknown:0, unknown)\n"
                                              "Info: dfu-util returns 0 (unknown:0, unknown)\n"
                                              "Warning: Unable to load font from \"x\" (unknown:0, unknown)\n"
                                              "Critical: no unit (unknown:0, unknown)\n"
                                              "Info: located (probe.cpp:42, void located())\n"
                                              "Warning: from the worker (worker.cpp:7, void SM_A::run())\n"));
}

void TestLogWindow::fatal_message_ends_process_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("line");
    QTest::newRow("GUI thread") << "fatal" << "Fatal: fatal in the GUI thread (unknown:0, unknown)\n";
    // Written by the logging thread itself: the process ends before the GUI thread could.
    QTest::newRow("worker thread") << "fatal-worker" << "Fatal: fatal in the worker (unknown:0, unknown)\n";
}

void TestLogWindow::fatal_message_ends_process()
{
    QFETCH(QString, mode);
    QFETCH(QString, line);
    const ProbeRun run = run_probe(mode);
    QCOMPARE(run.status, QProcess::CrashExit);
    QVERIFY2(run.error_stream.endsWith(line), qPrintable(run.error_stream));
}

void TestLogWindow::worker_messages_arrive_in_order()
{
    LogWindow window;
    LogWindowRouting routing(&window);
    constexpr int count = 200;

    qInfo("GUI thread, before");
    QThread* worker = QThread::create([] {
        for (int i = 0; i < count; ++i)
            QMessageLogger("worker.cpp", i, "void SM_A::run()").info("worker %d", i);
    });
    worker->start();
    QVERIFY(worker->wait(10000));
    delete worker;
    // The worker's messages wait in the event queue; a GUI thread message is shown at once.
    qInfo("GUI thread, after");
    QCOMPARE(view_of(window)->toPlainText(), QStringLiteral("GUI thread, before\nGUI thread, after"));

    QCoreApplication::processEvents();
    QStringList expected{"GUI thread, before", "GUI thread, after"};
    for (int i = 0; i < count; ++i)
        expected << QString("worker %1").arg(i);
    QCOMPARE(view_of(window)->toPlainText().split('\n'), expected);
}

void TestLogWindow::clear_empties_the_view()
{
    LogWindow window;
    log_to(window, QtInfoMsg, "one");
    log_to(window, QtWarningMsg, "two");
    button_of(window, "clear")->click();
    QCOMPARE(view_of(window)->toPlainText(), QString());

    log_to(window, QtInfoMsg, "three");
    QCOMPARE(view_of(window)->toPlainText(), QStringLiteral("three"));
}

void TestLogWindow::hiding_keeps_the_dialog_data()
{
    QTest::addColumn<bool>("by_button");
    QTest::newRow("window's close button") << false;
    QTest::newRow("hide log") << true;
}

void TestLogWindow::hiding_keeps_the_dialog()
{
    QFETCH(bool, by_button);
    LogWindow window;
    log_to(window, QtInfoMsg, "kept");
    window.dialog->show();
    if (by_button)
        button_of(window, "hide log")->click();
    else
        QVERIFY(window.dialog->close());
    QVERIFY(!window.dialog->isVisible());
    QCOMPARE(view_of(window)->toPlainText(), QStringLiteral("kept"));

    window.toggle_visibility(nullptr);
    QVERIFY(window.dialog->isVisible());
}

void TestLogWindow::dialog_keys_do_nothing_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
}

void TestLogWindow::dialog_keys_do_nothing()
{
    QFETCH(int, key);
    LogWindow window;
    log_to(window, QtInfoMsg, "kept");
    window.dialog->show();
    for (QWidget* target : {static_cast<QWidget*>(window.dialog), static_cast<QWidget*>(view_of(window))})
        QTest::keyClick(target, Qt::Key(key));
    QVERIFY(window.dialog->isVisible());
    QCOMPARE(view_of(window)->toPlainText(), QStringLiteral("kept"));
}

void TestLogWindow::toggle_places_dialog_beside_main_window()
{
    QMainWindow main;
    main.setGeometry(120, 60, 665, 517);
    main.show();
    LogWindow window;

    window.toggle_visibility(&main);
    QVERIFY(window.dialog->isVisible());
    // Frame to frame: the dialog's left column is the main window's right-most one, and
    // their top edges are level; without window frames that is x + 665 - 1 and y.
    const QRect outline = main.frameGeometry();
    QCOMPARE(window.dialog->frameGeometry().topLeft(), QPoint(outline.x() + outline.width() - 1, outline.y()));
    QCOMPARE(window.dialog->size(), QSize(600, 400));

    window.toggle_visibility(&main);
    QVERIFY(!window.dialog->isVisible());

    // Shown again, it follows the main window wherever that is now.
    main.move(200, 90);
    window.dialog->resize(500, 300);
    window.toggle_visibility(&main);
    QCOMPARE(window.dialog->frameGeometry().topLeft(), main.frameGeometry().topRight());
    QCOMPARE(window.dialog->size(), QSize(500, 300));
}

void TestLogWindow::toggle_without_main_window_shows_dialog_where_it_was()
{
    LogWindow window;
    window.dialog->move(30, 40);
    window.toggle_visibility(nullptr);
    QVERIFY(window.dialog->isVisible());
    QCOMPARE(window.dialog->pos(), QPoint(30, 40));
}

void TestLogWindow::save_output_offers_text_files_in_home()
{
    LogWindow window;
    log_to(window, QtInfoMsg, "not saved");
    FileDialogSeen seen;
    MessageBoxSeen box;
    answer_file_dialog(seen, QString());
    button_of(window, "save output")->click();

    QVERIFY(seen.opened);
    QCOMPARE(seen.title, QStringLiteral("Save Log Output"));
    QCOMPARE(seen.filters, (QStringList{"Text Files (*.txt)", "All Files (*)"}));
    QCOMPARE(seen.proposed, QStringList{home.path() + "/logfile.txt"});
    QVERIFY(!QFile::exists(home.path() + "/logfile.txt"));
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestLogWindow::save_output_writes_the_chosen_file()
{
    LogWindow window;
    log_to(window, QtInfoMsg, "Desired (embedded) Wren C2");
    log_to(window, QtWarningMsg, "grüß <b>");
    const QString chosen = home.path() + "/chosen.txt";
    FileDialogSeen seen;
    answer_file_dialog(seen, chosen);
    button_of(window, "save output")->click();

    QVERIFY(seen.opened);
    QCOMPARE(QString::fromLocal8Bit(file_bytes(chosen)), QStringLiteral("Desired (embedded) Wren C2\nWarning: grüß <b>"));
}

void TestLogWindow::saving_replaces_file_contents()
{
    const QString path = home.path() + "/replaced.txt";
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("an older and much longer log that must not survive\n");
    old.close();

    LogWindow window;
    log_to(window, QtInfoMsg, "new");
    QVERIFY(window.dialog->writeLogFile(path));
    QCOMPARE(file_bytes(path), QByteArray("new"));
}

void TestLogWindow::unwritable_file_is_reported_and_log_kept_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain name") << "log.txt" << "log.txt";
    // The name is the user's, not markup for the box.
    QTest::newRow("name with markup") << "<i>log</i>.txt" << "&lt;i&gt;log&lt;/i&gt;.txt";
}

void TestLogWindow::unwritable_file_is_reported_and_log_kept()
{
    QFETCH(QString, name);
    QFETCH(QString, shown);
    LogWindow window;
    log_to(window, QtInfoMsg, "kept");
    const QString missing_dir = home.path() + "/no-such-dir/";
    MessageBoxSeen seen;
    close_message_box(seen);

    QVERIFY(!window.dialog->writeLogFile(missing_dir + name));
    QVERIFY(seen.opened);
    QCOMPARE(seen.title, QStringLiteral("Error"));
    QCOMPARE(seen.text, "<nobr>File '" + missing_dir + shown
                            + "'<br/>cannot be opened for writing.<br/><br/>The log output could <b>not</b> be saved!</nobr>");
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(view_of(window)->toPlainText(), QStringLiteral("kept"));
}

QTEST_MAIN(TestLogWindow)
#include "test_log_window.moc"
