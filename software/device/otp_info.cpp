#include "device/otp_info.h"

#include "files/unquoted.h"

#include <QDebug>
#include <QFile>
#include <algorithm>

namespace Device {

namespace {

const QByteArray record_marker("\x11\x47\x23\x01", 4);
constexpr int record_size = 16;
// A record must end within the 512-byte area.
constexpr int last_record_offset = 496;
// Units that carry this type are the same product as OKAP.
constexpr std::uint8_t okap_alias = 0x23;

bool is_blank(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<std::uint8_t>(c) == 0xFF; });
}

std::uint8_t byte_at(const QByteArray& bytes, int index)
{
    return static_cast<std::uint8_t>(bytes.at(index));
}

}  // namespace

OTP_Info make_OTP_Info(QString path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return OTP_Info();
    return make_OTP_Info(file.readAll());
}

OTP_Info make_OTP_Info(QByteArray const& bytes)
{
    OTP_Info otp;
    if (is_blank(bytes)) {
        otp.blank = true;
        return otp;
    }
    // Where several records were programmed, the last one is the one in force.
    const int at = bytes.lastIndexOf(record_marker);
    if (at < 0 || at % record_size != 0 || at > last_record_offset || bytes.size() - at < record_size)
        return otp;

    ProductInfoRaw raw;
    raw.raw_type = byte_at(bytes, at + 4);
    if (raw.raw_type == okap_alias)
        raw.raw_type = OKAP;
    raw.byte1 = byte_at(bytes, at + 5);
    raw.byte2 = byte_at(bytes, at + 6);
    raw.byte3 = byte_at(bytes, at + 7);
    otp.info = make_ProductInfo(raw);
    for (int i = 0; i < 8; ++i)
        otp.record_tail[i] = byte_at(bytes, at + 8 + i);

    if (is_known(otp.info.type)) {
        otp.marker_valid = true;
    } else if (is_valid(otp.info.type)) {
        qInfo() << "Unknown device type according to OTP info," << QString(otp.info);
        otp.info.type = invalid;
    } else {
        qInfo() << "Device not used, has invalid info in its OTP info.";
    }
    return otp;
}

QString OTP_Info::product_name() const
{
    return info.product_name();
}

OTP_Info::operator QString() const
{
    return QStringLiteral("OTP info:\nMarker %1\nProduct: %2\n")
        .arg(marker_valid ? QStringLiteral("valid") : QStringLiteral("invalid"), QString(info));
}

QDebug operator<<(QDebug debug, const OTP_Info& otp)
{
    return support_misc::write_unquoted(debug, otp);
}

}  // namespace Device
