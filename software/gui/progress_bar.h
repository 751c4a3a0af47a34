#pragma once
// A bar that fills by elapsed time: dfu-util reports no progress the tool could show.

#include <QElapsedTimer>
#include <QProgressBar>
#include <QString>

class QTimer;

class ProgressBar : public QProgressBar {
    Q_OBJECT

public:
    explicit ProgressBar(QWidget* parent);

    void setup_GUI();

    // The wiring stops it when the outcome of an upgrade arrives.
    QTimer* timer;

signals:
    void finished();

public slots:
    // A negative duration (seconds) keeps the previous one.
    void startAutoProgress(QString format, double duration = -1);
    void startAutoProgress();
    void increase();

private:
    int range = 1;
    int minInterval = 50;
    QElapsedTimer elapsed;
    int durationMs = 10000;
};
