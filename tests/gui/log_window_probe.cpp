// Logs through a log window in a process of its own, so that a test can read what the
// window writes to the standard error stream and see a fatal message end the process.
//
//   log_window_probe lines          one message of each kind, from the GUI thread and
//                                   from a second thread, then exit 0
//   log_window_probe fatal          a fatal message in the GUI thread
//   log_window_probe fatal-worker   a fatal message in a second thread

#include "log_window_routing.h"

#include <QApplication>
#include <QThread>
#include <cstdio>

namespace {

// The tool's own messages carry no source location; these rows set it explicitly, so that
// the probe writes the same in every build type.
QMessageLogger unlocated()
{
    return QMessageLogger(nullptr, 0, nullptr);
}

void in_second_thread(void (*work)())
{
    QThread* thread = QThread::create(work);
    thread->start();
    thread->wait();
    delete thread;
}

void log_lines()
{
    unlocated().debug("scanning");
    unlocated().info("dfu-util returns 0");
    unlocated().warning("Unable to load font from \"x\"");
    unlocated().critical("no unit");
    QMessageLogger("probe.cpp", 42, "void located()").info("located");
    in_second_thread([] { QMessageLogger("worker.cpp", 7, "void SM_A::run()").warning("from the worker"); });
    QCoreApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    LogWindow window;
    LogWindowRouting routing(&window);

    const QString mode = app.arguments().value(1);
    if (mode == "lines")
        log_lines();
    else if (mode == "fatal")
        unlocated().fatal("fatal in the GUI thread");
    else if (mode == "fatal-worker")
        in_second_thread([] { unlocated().fatal("fatal in the worker"); });
    else
        return 2;
    return 0;
}
