#pragma once
// Collects what the code under test writes to standard output (printf), for the lines
// the upgrade machine's guards print there.

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

class StdoutCapture {
public:
    StdoutCapture()
    {
        file_.open();
        std::fflush(stdout);
        saved_ = ::dup(STDOUT_FILENO);
        ::dup2(file_.handle(), STDOUT_FILENO);
    }
    ~StdoutCapture() { restore(); }
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    // Ends the capture (the test's own report goes to standard output too) and returns
    // the lines written meanwhile.
    QStringList finish()
    {
        restore();
        QFile reader(file_.fileName());
        reader.open(QIODevice::ReadOnly);
        return QString::fromLocal8Bit(reader.readAll()).split('\n', Qt::SkipEmptyParts);
    }

private:
    void restore()
    {
        if (saved_ < 0)
            return;
        std::fflush(stdout);
        ::dup2(saved_, STDOUT_FILENO);
        ::close(saved_);
        saved_ = -1;
    }

    QTemporaryFile file_;
    int saved_ = -1;
};
