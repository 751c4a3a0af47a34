#include "gui/main_window_factory.h"

#include "gui/circle.h"
#include "gui/install_button.h"
#include "gui/labels.h"
#include "gui/main_window.h"
#include "gui/progress_bar.h"
#include "gui/settings.h"

#include <QtGlobal>
#include <cmath>

namespace {

// Halves go upward, also for a centre left of or above the window.
int nearest(double value)
{
    return int(std::floor(value + 0.5));
}

QList<Settings::CircleData> scaled(QList<Settings::CircleData> circles, double scale)
{
    for (Settings::CircleData& circle : circles) {
        circle.center = QPoint(nearest(circle.center.x() * scale), nearest(circle.center.y() * scale));
        circle.radius = int(circle.radius * scale);
        circle.pen_width = int(circle.pen_width * scale);
    }
    return circles;
}

}  // namespace

MainWindow* MainWindow_factory(const Settings::Settings* settings, QWidget* parent, bool simulator)
{
    // The status line is the one text the window cannot do without.
    if (settings->gui.text(QStringLiteral("status_noDev")).isEmpty())
        qFatal("No message with id '%s' found, aborting", "status_noDev");

    auto* window = new MainWindow(settings, parent);
    window->installButton = new InstallButton(window);
    add_labels(settings, window, simulator);
    window->updateDownloadMode();
    window->progressBar = new ProgressBar(window);
    window->setupGeometry();
    add_circles(scaled(settings->gui.circles, window->scale), window);
    return window;
}
