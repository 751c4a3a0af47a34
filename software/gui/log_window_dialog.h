#pragma once
// The log window itself: every message it receives, three buttons, and saving to a file.

#include <QDialog>
#include <QMessageLogContext>
#include <QString>
#include <QtGlobal>

class QCloseEvent;
class QKeyEvent;
class QPushButton;
class QTextBrowser;

class LogWindowDialog : public QDialog {
    Q_OBJECT

public:
    explicit LogWindowDialog(QWidget* parent = nullptr);

    // Writes the whole log to `fileName`, replacing what the file held; when the file
    // cannot be opened the user is told so in a warning box. This is what "save output"
    // does once the user has chosen the file.
    bool writeLogFile(const QString& fileName);

public slots:
    // Shows the message and echoes it to the standard error stream; a fatal message then
    // ends the process.
    void outputMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void save();

private:
    void appendParagraph(const QString& line);

    QTextBrowser* browser;
    QPushButton* clearButton;
    QPushButton* saveButton;
    QPushButton* hideButton;
};
