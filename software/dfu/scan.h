#pragma once
// Looking for a unit: one run of dfu-util's list command, classified.

#include <QString>
#include <vector>

namespace DFU {

struct DeviceItem {
    QString serial;
};

struct ScanResult {
    // 0: exactly one valid unit; 1: anything else.
    int status = 1;
    std::vector<DeviceItem> devices;
};

ScanResult scan_for_devices(QString output);
ScanResult make_scan();

}  // namespace DFU
