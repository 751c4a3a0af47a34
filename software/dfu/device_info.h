#pragma once
// What is read from a connected unit: its product record and the information block of
// the firmware it runs; and the information block of the firmware the tool carries.

#include "device/fw_info.h"
#include "device/otp_info.h"
#include "device/product.h"
#include "dfu/command.h"
#include "dfu/scan.h"

#include <QString>

class QDebug;

namespace DFU {

struct DeviceInfo {
    // The product record was read.
    bool valid = false;
    // The installed firmware's revision, once that firmware was accepted for the unit.
    QString FW_revision;
    Device::OTP_Info OTP_info;
    Device::FW_Info FW_info;
    Device::Type type = Device::invalid;

    operator QString() const;
};

QDebug operator<<(QDebug debug, const DeviceInfo& info);

// Reads the unit's product record and firmware information into `info`. A non-zero
// exit code means the record was not read; `info` is then left as it was.
CommandResult read_device_info(DeviceItem const* item, DeviceInfo* info);

Device::FW_Info read_FW_Info(DeviceItem const* item);

Device::FW_Info read_FW_Info_from_desired_FW();

// The carried firmware's information, read on the first call only.
Device::FW_Info const& desired_FW_Info();

}  // namespace DFU
