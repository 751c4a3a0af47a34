#pragma once
// Records the worker's signals as the worker thread emits them, with the time of each.

#include "control/sm_a.h"

#include <QElapsedTimer>
#include <mutex>
#include <QStringList>
#include <QVector>

class SignalRecorder {
public:
    explicit SignalRecorder(SM_A& worker)
    {
        clock_.start();
        const std::pair<void (SM_A::*)(), const char*> all[] = {
            {&SM_A::sig_NoDevConn, "NoDevConn"},         {&SM_A::sig_DevConn, "DevConn"},
            {&SM_A::sig_scanning, "scanning"},           {&SM_A::sig_readingInfo, "readingInfo"},
            {&SM_A::sig_FwDownloading, "FwDownloading"}, {&SM_A::sig_FwDownloaded, "FwDownloaded"},
            {&SM_A::sig_FwUploading, "FwUploading"},     {&SM_A::sig_FwUploadedDiffers, "FwUploadedDiffers"},
            {&SM_A::sig_FwUploadedMatches, "FwUploadedMatches"},
            {&SM_A::sig_A0_entered, "A0"},               {&SM_A::sig_A1_entered, "A1"},
            {&SM_A::sig_A2_entered, "A2"},               {&SM_A::sig_A4_entered, "A4"},
            {&SM_A::sig_A5_entered, "A5"},               {&SM_A::sig_A6_entered, "A6"},
            {&SM_A::sig_A7_entered, "A7"},
        };
        for (const auto& [signal, name] : all)
            QObject::connect(&worker, signal, &worker, [this, name = QString(name)] { record(name); },
                             Qt::DirectConnection);
        QObject::connect(
            &worker, &SM_A::sig_DeviceError, &worker,
            [this](const QString& message) {
                std::lock_guard<std::mutex> lock(mutex_);
                errors_ << message;
                names_ << QStringLiteral("DeviceError");
                times_ << clock_.elapsed();
            },
            Qt::DirectConnection);
    }

    QStringList names() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return names_;
    }
    QStringList errors() const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return errors_;
    }
    int count(const QString& name) const { return names().count(name); }
    // Milliseconds from the n-th (0-based) occurrence of `from` to the next `to` after it.
    qint64 gap(const QString& from, int n, const QString& to) const
    {
        std::lock_guard<std::mutex> lock(mutex_);
        int seen = -1;
        for (int i = 0; i < names_.size(); ++i) {
            if (names_[i] == from && ++seen == n) {
                for (int j = i + 1; j < names_.size(); ++j)
                    if (names_[j] == to)
                        return times_[j] - times_[i];
                return -1;
            }
        }
        return -1;
    }
    // True when `run` appears in the record as consecutive signals.
    bool contains_run(const QStringList& run) const
    {
        const QStringList all = names();
        for (int i = 0; i + run.size() <= all.size(); ++i)
            if (all.mid(i, run.size()) == run)
                return true;
        return false;
    }
    // The record from the first occurrence of `name` on.
    QStringList from(const QString& name) const
    {
        const QStringList all = names();
        const int at = all.indexOf(name);
        return at < 0 ? QStringList() : all.mid(at);
    }

private:
    void record(const QString& name)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        names_ << name;
        times_ << clock_.elapsed();
    }

    mutable std::mutex mutex_;
    QElapsedTimer clock_;
    QStringList names_;
    QStringList errors_;
    QVector<qint64> times_;
};
