#pragma once
// The dfu-util executable that travels with the tool, and the check that it runs.

#include <QString>

namespace DFU::dfu_util {

// dfu-util 0.9's exact answer to "-V".
extern const QString expected_output_of_execution_test;

QString basename();
QString full_path();

// True when "dfu-util -V" exits with 0 and prints exactly the expected banner.
bool execution_test();

}  // namespace DFU::dfu_util
