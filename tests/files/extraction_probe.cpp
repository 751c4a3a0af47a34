// Extracts the firmware in a process of its own, so that a test can give it a
// temporary directory that cannot be created; prints the result and the files made.

#include "files/files.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bool strict = app.arguments().value(1) == QLatin1String("strict");
    const bool result = Files::extract_resources({Files::desired_FW_bin, Files::desired_FW_dfu}, strict);
    const int files = Files::external_dir.path().isEmpty()
                          ? 0
                          : QDir(Files::external_dir.path()).entryList(QDir::Files).size();
    std::printf("result=%s files=%d\n", result ? "true" : "false", files);
    return 0;
}
