#pragma once
// The files the tool keeps in its private temporary directory: embedded files copied
// out of the executable, and the read-outs dfu-util writes there.

#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <vector>

namespace Files {

enum ID : std::int32_t {
    dfu_util_executable = 0,
    libusb_library = 1,
    desired_FW_dfu = 2,
    desired_FW_bin = 3,
    uploaded_FW_bin = 4,
    uploaded_FW_info_bin = 5,
    uploaded_OTP_bin = 6,
};

extern const QMap<ID, QString> basename;

extern const QString dfu_util_executable_fileName;
extern const QString desired_FW_fileName_dfu;
extern const QString desired_FW_fileName_bin;
extern const QString uploaded_FW_fileName_bin;
extern const QString uploaded_FW_info_fileName_bin;
extern const QString uploaded_OTP_fileName_bin;

// Created before main, removed with everything in it at program end.
extern QTemporaryDir external_dir;

// The full path of the file `name` in external_dir.
QString path_in_external_dir(const QString& name);

// Copies the embedded files named by `ids` into external_dir, in list order. False when
// the directory is not valid; otherwise true unless `strict` and a copy failed.
bool extract_resources(std::vector<ID> ids, bool strict);

}  // namespace Files
