#include "dfu/run_command.h"

#include "dfu/cancel_token.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QProcess>

namespace DFU {

namespace {

constexpr int finish_timeout_ms = 30000;
// How often a waiting run looks at its cancel token.
constexpr int cancel_poll_ms = 50;
// How long a cancelled dfu-util may take to go after SIGTERM before it is killed.
constexpr int terminate_grace_ms = 1000;

enum class Wait { finished, timed_out, cancelled };

bool run_is_cancelled()
{
    const CancelToken* token = CancelScope::current();
    return token != nullptr && token->is_cancelled();
}

// Waits for the process to end, at most `limit_ms` (negative: no limit).
Wait wait_for_finish(QProcess& process, int limit_ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        if (process.state() == QProcess::NotRunning)
            return Wait::finished;
        if (run_is_cancelled())
            return Wait::cancelled;
        int slice = cancel_poll_ms;
        if (limit_ms >= 0) {
            const qint64 remaining = limit_ms - elapsed.elapsed();
            if (remaining <= 0)
                return Wait::timed_out;
            slice = static_cast<int>(qMin<qint64>(slice, remaining));
        }
        if (process.waitForFinished(slice))
            return Wait::finished;
    }
}

void end_process(QProcess& process)
{
    process.terminate();
    if (!process.waitForFinished(terminate_grace_ms)) {
        process.kill();
        process.waitForFinished(-1);
    }
}

QString decode_output(const QByteArray& bytes)
{
    const int nul = bytes.indexOf('\0');
    return QString::fromUtf8(nul < 0 ? bytes : bytes.left(nul));
}

Command command_for(CmdID id)
{
    const auto it = commands.constFind(id);
    return it != commands.constEnd() ? *it : (commands[id] = Command());
}

}  // namespace

CommandResult run_command(CmdID id, QStringList const& extra)
{
    const Command command = command_for(id);
    const QString program = Command::path.isEmpty()
                                ? command.program
                                : Command::path + QLatin1Char('/') + command.program;
    const QStringList arguments = command.arguments + extra;

    if (id != CmdID::list)
        qInfo() << "Start" << program << arguments;

    if (run_is_cancelled()) {
        qInfo() << "Not started, the run was cancelled:" << program << arguments;
        return {-1, QString()};
    }

    QProcess process;
    process.start(program, arguments, QIODevice::ReadWrite);
    if (!process.waitForStarted(-1)) {
        qInfo() << "Could not start" << program << "error:" << process.errorString();
        return {-1, QString()};
    }

    Wait wait = wait_for_finish(process, finish_timeout_ms);
    if (wait == Wait::timed_out) {
        const QString so_far = decode_output(process.readAllStandardOutput());
        qInfo() << "waitForFinished(): Process did not finish in time, exit status:"
                << process.exitStatus() << "and output:" << so_far;
        qInfo() << "will wait again, forever";
        wait = wait_for_finish(process, -1);
    }
    if (wait == Wait::cancelled) {
        qInfo() << "Ending the run, it was cancelled:" << program << arguments;
        end_process(process);
    }

    CommandResult result;
    result.output = decode_output(process.readAllStandardOutput());
    const bool normal_exit = wait != Wait::cancelled && process.exitStatus() == QProcess::NormalExit;
    result.exit_code = normal_exit ? process.exitCode() : -1;
    if (result.exit_code != 0)
        qInfo() << "Exit with" << result.exit_code << "from" << program << arguments << "returned:"
                << result.output;
    return result;
}

}  // namespace DFU
