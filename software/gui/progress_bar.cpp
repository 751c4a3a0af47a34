#include "gui/progress_bar.h"

#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

const char* const style_sheet = R"(
QProgressBar {
    border: 2px solid grey;
    border-radius: 5px;
    text-align: center;
}

QProgressBar::chunk {
    background-color: rgba(160,240,140,100%);
    width: 5px;
}
)";

}  // namespace

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent), timer(new QTimer(this))
{
    setup_GUI();
    connect(timer, &QTimer::timeout, this, &ProgressBar::increase);
}

void ProgressBar::setup_GUI()
{
    setRange(0, 100);
    setStyleSheet(QString::fromLatin1(style_sheet));
}

void ProgressBar::startAutoProgress(QString format, double duration)
{
    timer->stop();
    setValue(minimum());
    setFormat(format);
    if (duration >= 0) {
        // Clamped, so that an absurd duration cannot overflow the milliseconds.
        const double ms = std::min(std::floor(duration * 1000), double(INT_MAX));
        durationMs = ms >= 2 ? int(ms) : 1;
    }
    startAutoProgress();
}

void ProgressBar::startAutoProgress()
{
    const int span = maximum() - minimum();
    range = span < 2 ? 1 : span;
    setValue(minimum());
    timer->setInterval(std::max(durationMs / range, minInterval));
    timer->start();
    elapsed.start();
    show();
}

void ProgressBar::increase()
{
    // Only a started progress has a clock to read.
    if (!elapsed.isValid())
        return;
    setValue(int(range * (double(elapsed.elapsed()) / durationMs)));
    if (elapsed.elapsed() > durationMs) {
        timer->stop();
        setValue(maximum());
        emit finished();
    }
}
