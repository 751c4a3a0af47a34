#pragma once
// The product record in a unit's one-time-programmable area.

#include "device/product.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

class QDebug;

namespace Device {

struct OTP_Info {
    ProductInfo info;
    std::array<std::uint8_t, 8> record_tail{};
    // A record was found and names a known product.
    bool marker_valid = false;
    // The read-out was empty or all 0xFF: nothing was ever programmed.
    bool blank = false;

    QString product_name() const;
    operator QString() const;
};

OTP_Info make_OTP_Info(QString path);
OTP_Info make_OTP_Info(QByteArray const& bytes);

QDebug operator<<(QDebug debug, const OTP_Info& otp);

}  // namespace Device
