#pragma once
// Writing the carried firmware into the unit, and reading the flash back to check it.

#include <QString>

namespace DFU {

// dfu-util's exit code; 0 means it reported success.
int download_FW_to_device(QString file);
int upload_FW_from_device(QString file, int length);

// Size in bytes, or -1 when the file cannot be opened.
int size_of_binary_file(QString file);

// Both exist, are not empty and hold the same bytes.
bool compare_FW_bin_files(QString a, QString b);

// Reads back as much flash as `reference` has into `target` and compares the two.
bool upload_and_compare_FW_bin(QString reference, QString target);

}  // namespace DFU
