#pragma once
// Records what the code under test writes to the Qt message log, from any thread.

#include <QMutex>
#include <QMutexLocker>
#include <QStringList>
#include <QtGlobal>

class LogCapture {
public:
    LogCapture() : previous_(qInstallMessageHandler(&LogCapture::handler)) { instance() = this; }
    ~LogCapture()
    {
        qInstallMessageHandler(previous_);
        instance() = nullptr;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList messages() const
    {
        QMutexLocker lock(&mutex_);
        return messages_;
    }
    QStringList messages(QtMsgType type) const
    {
        QMutexLocker lock(&mutex_);
        QStringList of_type;
        for (int i = 0; i < messages_.size(); ++i)
            if (types_[i] == type)
                of_type << messages_[i];
        return of_type;
    }
    QStringList starting_with(const QString& prefix) const
    {
        QStringList found;
        for (const QString& m : messages())
            if (m.startsWith(prefix))
                found << m;
        return found;
    }
    void clear()
    {
        QMutexLocker lock(&mutex_);
        messages_.clear();
        types_.clear();
    }

private:
    static LogCapture*& instance()
    {
        static LogCapture* current = nullptr;
        return current;
    }
    static void handler(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (LogCapture* self = instance()) {
            QMutexLocker lock(&self->mutex_);
            self->messages_ << message;
            self->types_ << type;
        }
    }

    QtMessageHandler previous_;
    mutable QMutex mutex_;
    QStringList messages_;
    QList<QtMsgType> types_;
};
