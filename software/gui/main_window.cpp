#include "gui/main_window.h"

#include "files/support_misc.h"
#include "gui/install_button.h"
#include "gui/progress_bar.h"
#include "gui/window_geometry.h"

#include <QDebug>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>

namespace {

const char* const window_style_sheet =
    "QMainWindow { border-image:url(\"://resources/background.jpg\") 0 0 0 0 stretch stretch; }";

// macOS draws in points whatever the screen, so the design pixels fit as they are.
double screen_scale()
{
    if (support_misc::compiled_for_platform(support_misc::Platform::macOS))
        return 1.0;
    return QGuiApplication::primaryScreen()->logicalDotsPerInchX() / window_geometry::design_dpi;
}

}  // namespace

MainWindow::MainWindow(const Settings::Settings* settings, QWidget* parent)
    : QMainWindow(parent), guiSettings(settings), centralWidget(new QWidget(this))
{
    setStyleSheet(QString::fromLatin1(window_style_sheet));
    scale = screen_scale();
    setCentralWidget(centralWidget);
    setupGeometry();
    downloadMode = false;
    emit downloadModeChanged();
    connect(this, &MainWindow::downloadModeChanged, this, &MainWindow::updateDownloadMode);
}

void MainWindow::setupGeometry()
{
    using namespace window_geometry;
    setFixedSize(int(window_size.width() * scale), int(window_size.height() * scale));
    const QSize placed(qRound(window_size.width() * scale), qRound(window_size.height() * scale));
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignHCenter | Qt::AlignTop, placed,
                                    QGuiApplication::primaryScreen()->geometry()));
    move(pos() + QPoint(0, qRound(offset_below_screen_top * scale)));

    const QRect rect(int(install_rect.x() * scale), int(install_rect.y() * scale), int(install_rect.width() * scale),
                     int(install_rect.height() * scale));
    if (installButton)
        installButton->setGeometry(rect);
    if (progressBar) {
        progressBar->setGeometry(rect);
        progressBar->hide();
    }
}

void MainWindow::enableDownload()
{
    downloadMode = true;
    emit downloadModeChanged();
}

void MainWindow::disableDownload()
{
    downloadMode = false;
    emit downloadModeChanged();
}

void MainWindow::toggleDownload()
{
    downloadMode = !downloadMode;
    emit downloadModeChanged();
}

void MainWindow::updateDownloadMode()
{
    if (installButton) {
        qInfo() << "MainWindow downloadMode: setEnabled" << downloadMode;
        installButton->setEnabled(downloadMode);
    }
    qInfo() << "Download " << (downloadMode ? "enabled" : "disabled");
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_A:
        toggleDownload();
        break;
    case Qt::Key_Q:
    case Qt::Key_Escape:
        emit finished();
        break;
    default:
        // Swallowed: no other key may travel on to a parent.
        break;
    }
}
