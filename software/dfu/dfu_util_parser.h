#pragma once
// Classifies dfu-util's device list: no unit, one STM32 bootloader, something that does
// not look like one, or several units.

#include <QString>
#include <vector>

class DfuUtilParser {
public:
    enum Status { no_dfu_device = 0, one_dfu_device = 1, invalid_dfu_device = 2, multiple_dfu_devices = 3 };

    // A counted line starts with this: the STM32 system bootloader in DFU mode.
    static const QString prefix_RE;
    static const QString extract_serial_RE;

    explicit DfuUtilParser(QString const& output);

    QString status_as_string() const;

    Status status = no_dfu_device;
    // Serials of the counted lines in order; a serial equal to the one entered last is
    // not entered again.
    std::vector<QString> serials;
    // Set only when the whole output was parsed.
    int serial_count = 0;
};
