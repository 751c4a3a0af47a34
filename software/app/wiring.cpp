#include "app/wiring.h"

#include "app/program_objects.h"
#include "app/worker_stop.h"
#include "control/machines.h"
#include "control/sm_b.h"
#include "gui/install_button.h"
#include "gui/log_window_dialog.h"
#include "gui/progress_bar.h"

#include <QApplication>
#include <QDebug>
#include <QLabel>
#include <QShortcut>
#include <QTimer>

namespace {

void set_status(const QString& text)
{
    if (mainWindow && mainWindow->statusLabel)
        mainWindow->statusLabel->setText(text);
}

ProgressBar* progress_bar()
{
    return mainWindow ? mainWindow->progressBar : nullptr;
}

void toggle_log_window()
{
    if (logWindow)
        logWindow->toggle_visibility(mainWindow.data());
}

QString product_name()
{
    return sm_B->device_info.OTP_info.product_name();
}

}  // namespace

QString revision_status()
{
    const QString revision = sm_B->device_info.FW_revision;
    if (revision.isEmpty())
        return settings.gui.text(QStringLiteral("status_devRevUnknown")).arg(product_name());
    return settings.gui.text(QStringLiteral("status_devRev")).arg(product_name(), revision);
}

void add_connections(QApplication* app)
{
    Q_UNUSED(app)
    MainWindow* window = mainWindow.data();

    QObject::connect(window, &MainWindow::finished, [] {
        qInstallMessageHandler(nullptr);
        qInfo() << "Msg-handler reset";
    });
    QObject::connect(window, &MainWindow::finished, sm_B, &QStateMachine::stop);
    QObject::connect(window, &MainWindow::finished, &stop_worker);

    QObject::connect(sm_B, &SM_B::sig_UpgradeImpossible, window, &MainWindow::disableDownload);
    QObject::connect(sm_B, &SM_B::sig_UpgradePossible, window, &MainWindow::enableDownload);
    QObject::connect(sm_B, &SM_B::sig_DeviceConnected,
                     [] { set_status(settings.gui.text(QStringLiteral("status_devConn")).arg(product_name())); });
    QObject::connect(sm_B, &SM_B::sig_DifferingRevision, [] { set_status(revision_status()); });
    QObject::connect(sm_B, &SM_B::sig_UpgradeImpossible, window, [] {
        set_status(settings.gui.text(QStringLiteral("status_noDev")));
        if (ProgressBar* bar = progress_bar()) {
            bar->setFormat(QStringLiteral("This text should not be visible!"));
            bar->hide();
        }
    });
    QObject::connect(window->installButton, &QPushButton::clicked, sm_B, &SM_B::do_download);
    QObject::connect(sm_B, &SM_B::sig_DoDownload, [] {
        if (ProgressBar* bar = progress_bar())
            bar->startAutoProgress(QStringLiteral("Upgrading firmware"), 90.0);
    });
    QObject::connect(sm_B, &SM_B::sig_UploadingVerifying, [] {
        if (ProgressBar* bar = progress_bar())
            bar->startAutoProgress(QStringLiteral("Uploading & verifying"), 0.5);
    });
    QObject::connect(sm_B, &SM_B::sig_FwMatches, [] {
        if (ProgressBar* bar = progress_bar()) {
            bar->timer->stop();
            bar->setValue(bar->maximum());
            bar->setFormat(QStringLiteral("Done. Disconnect USB cable."));
        }
        set_status(revision_status());
    });
    QObject::connect(sm_B, &SM_B::sig_FwDiffers, [] {
        set_status(revision_status());
        if (ProgressBar* bar = progress_bar()) {
            bar->timer->stop();
            bar->setValue(bar->minimum());
            bar->setFormat(QStringLiteral("FW differs"));
            bar->hide();
        }
    });

    const QKeySequence ctrl_l(Qt::CTRL + Qt::Key_L);
    QObject::connect(new QShortcut(ctrl_l, window), &QShortcut::activated, &toggle_log_window);
    if (logWindow)
        QObject::connect(new QShortcut(ctrl_l, logWindow->dialog),
                         &QShortcut::activated, &toggle_log_window);
}
