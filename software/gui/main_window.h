#pragma once
// The tool's one window: the unit's picture with the steps, the status line, the rings
// on the buttons to press, and the install button sharing its place with the bar.

#include <QMainWindow>

class InstallButton;
class ProgressBar;
class QLabel;

namespace Settings {
struct Settings;
}

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    MainWindow(const Settings::Settings* settings, QWidget* parent);

    void setupGeometry();

    const Settings::Settings* guiSettings;
    QWidget* centralWidget;
    // The label of "status_noDev"; null when the settings make no widget for it.
    QLabel* statusLabel = nullptr;
    bool downloadMode = false;
    double scale = 1.0;
    InstallButton* installButton = nullptr;
    ProgressBar* progressBar = nullptr;

signals:
    void finished();
    void downloadModeChanged();

public slots:
    void enableDownload();
    void disableDownload();
    void toggleDownload();
    void updateDownloadMode();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
