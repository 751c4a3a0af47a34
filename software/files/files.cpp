#include "files/files.h"

#include <QDebug>
#include <QDir>
#include <QFile>

namespace Files {

QTemporaryDir external_dir(QDir::tempPath() + QStringLiteral("/upgrade_XXXXXX"));

const QString dfu_util_executable_fileName = QStringLiteral("dfu-util");
const QString desired_FW_fileName_dfu = QStringLiteral("firmware.dfu");
const QString desired_FW_fileName_bin = QStringLiteral("firmware.bin");
const QString uploaded_FW_fileName_bin = QStringLiteral("uploaded_FW.bin");
const QString uploaded_FW_info_fileName_bin = QStringLiteral("uploaded_FW_info.bin");
const QString uploaded_OTP_fileName_bin = QStringLiteral("uploaded_OTP.bin");

// The library has no constant of its own: only this table names it.
const QMap<ID, QString> basename = {
    {dfu_util_executable, dfu_util_executable_fileName},
    {libusb_library, QStringLiteral("libusb-1.0.0.dylib")},
    {desired_FW_dfu, desired_FW_fileName_dfu},
    {desired_FW_bin, desired_FW_fileName_bin},
    {uploaded_FW_bin, uploaded_FW_fileName_bin},
    {uploaded_FW_info_bin, uploaded_FW_info_fileName_bin},
    {uploaded_OTP_bin, uploaded_OTP_fileName_bin},
};

QString path_in_external_dir(const QString& name)
{
    return external_dir.path() + QLatin1Char('/') + name;
}

bool extract_resources(std::vector<ID> ids, bool strict)
{
    if (!external_dir.isValid()) {
        qInfo() << "Failed to create temporary directory:" << external_dir.errorString();
        return false;
    }
    bool all_copied = true;
    for (const ID id : ids) {
        const QString name = basename.value(id);
        const QString source = QStringLiteral(":resources/") + name;
        const QString destination = path_in_external_dir(name);
        // QFile::copy refuses an existing destination, so a second extraction keeps the
        // first copy untouched. The copy takes the resource's read-only permissions, so
        // that nothing extracted runs or changes until it is meant to.
        if (QFile::copy(source, destination)
            && QFile::setPermissions(destination, QFile::permissions(source))) {
            qDebug() << "Extracted" << name;
        } else {
            qInfo() << "Failed to extract" << name;
            all_copied = false;
        }
    }
    return strict ? all_copied : true;
}

}  // namespace Files
