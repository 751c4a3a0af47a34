#pragma once
// The fixture dfu-util in its "unit" mode: a unit whose product record and flash are
// files of a test directory, and a record of every run.

#include "dfu/command.h"
#include "support/file_bytes.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class UnitFixture {
public:
    UnitFixture()
    {
        DFU::Command::path = QStringLiteral(FIXTURE_DIR);
        qputenv("DFU_FIXTURE_MODE", "unit");
        qputenv("FIXTURE_OTP", otp_path().toLocal8Bit());
        qputenv("FIXTURE_FLASH", flash_path().toLocal8Bit());
        qputenv("FIXTURE_CALLS", calls_path().toLocal8Bit());
        qunsetenv("FIXTURE_FAIL");
    }
    ~UnitFixture() { qunsetenv("FIXTURE_FAIL"); }

    void set_otp(const QByteArray& bytes) { write_file(otp_path(), bytes); }
    void set_flash(const QByteArray& bytes) { write_file(flash_path(), bytes); }
    QByteArray flash() const { return file_bytes(flash_path()); }
    // The region ("0x1FFF7800:512", "0x08000000:2048", ...) whose transfer fails.
    void fail_region(const QByteArray& region) { qputenv("FIXTURE_FAIL", region); }
    // The argument lists of the runs so far, one string each.
    QStringList calls() const
    {
        return QString::fromLocal8Bit(file_bytes(calls_path())).split('\n', Qt::SkipEmptyParts);
    }


private:
    QString otp_path() const { return dir_.path() + "/otp.bin"; }
    QString flash_path() const { return dir_.path() + "/flash.bin"; }
    QString calls_path() const { return dir_.path() + "/calls.txt"; }

    QTemporaryDir dir_;
};
