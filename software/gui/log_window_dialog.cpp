#include "gui/log_window_dialog.h"

#include "gui/error_stream_line.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextStream>
#include <QVBoxLayout>
#include <cstdlib>

LogWindowDialog::LogWindowDialog(QWidget* parent)
    : QDialog(parent, Qt::WindowFlags()),
      browser(new QTextBrowser(this)),
      clearButton(new QPushButton(tr("clear"), this)),
      saveButton(new QPushButton(tr("save output"), this)),
      hideButton(new QPushButton(tr("hide log"), this))
{
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(10);
    buttons->addWidget(clearButton);
    buttons->addWidget(saveButton);
    buttons->addWidget(hideButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser);
    layout->addLayout(buttons);

    connect(clearButton, &QPushButton::clicked, browser, &QTextBrowser::clear);
    connect(saveButton, &QPushButton::clicked, this, &LogWindowDialog::save);
    connect(hideButton, &QPushButton::clicked, this, &LogWindowDialog::hide);

    resize(600, 400);
}

void LogWindowDialog::outputMessage(QtMsgType type, const QMessageLogContext& context, const QString& msg)
{
    switch (type) {
    case QtDebugMsg:
        appendParagraph(tr("Debug: %1").arg(msg));
        break;
    case QtInfoMsg:
        appendParagraph(msg);
        break;
    case QtWarningMsg:
        appendParagraph(tr("Warning: %1").arg(msg));
        break;
    case QtCriticalMsg:
        appendParagraph(tr("CRITICAL: %1").arg(msg));
        break;
    case QtFatalMsg:
        appendParagraph(tr("FATAL: %1").arg(msg));
        break;
    }
    log_output::write_error_stream_line(type, context, msg);
    if (type == QtFatalMsg)
        std::abort();
}

bool LogWindowDialog::writeLogFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        QMessageBox::warning(this, tr("Error"),
                             tr("<nobr>File '%1'<br/>cannot be opened for writing.<br/><br/>"
                                "The log output could <b>not</b> be saved!</nobr>")
                                 .arg(fileName.toHtmlEscaped()),
                             QMessageBox::Ok);
        return false;
    }
    QTextStream out(&file);
    out << browser->toPlainText();
    return true;
}

void LogWindowDialog::closeEvent(QCloseEvent* event)
{
    // The log lives as long as the tool; its window's close button only hides it.
    event->accept();
}

void LogWindowDialog::keyPressEvent(QKeyEvent* event)
{
    // Escape and Enter would close a dialog; this one stays until it is hidden on purpose.
    event->ignore();
}

void LogWindowDialog::save()
{
    const QString fileName = QFileDialog::getSaveFileName(this, tr("Save Log Output"),
                                                          QDir::homePath() + "/logfile.txt",
                                                          tr("Text Files (*.txt);;All Files (*)"));
    if (!fileName.isEmpty())
        writeLogFile(fileName);
}

void LogWindowDialog::appendParagraph(const QString& line)
{
    // Inserted as plain text: a message that happens to contain markup, such as a rich-text
    // label, is shown and saved as it was written, not rendered.
    QScrollBar* scroll = browser->verticalScrollBar();
    const bool following = scroll->value() >= scroll->maximum();

    QTextCursor end(browser->document());
    end.movePosition(QTextCursor::End);
    if (!browser->document()->isEmpty())
        end.insertBlock();
    end.insertText(line);

    if (following)
        scroll->setValue(scroll->maximum());
}
