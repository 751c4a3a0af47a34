#include "device/fw_info.h"

#include "files/unquoted.h"

#include <QDebug>
#include <QFile>

namespace Device {

namespace {

const QByteArray begin_marker("\x12\x47\x23\x01", 4);
const QByteArray end_marker("\x13\x47\x23\x01", 4);
constexpr int field_size = 32;
// Both markers must lie early in the data, within the first 2048 bytes of flash.
constexpr int last_marker_offset = 1948;
constexpr int header_size = 72;  // markers, product field, name and revision
constexpr int pair_size = 2 * field_size;

ProductInfoRaw product_field(const QByteArray& bytes, int at)
{
    ProductInfoRaw raw;
    raw.raw_type = static_cast<std::uint8_t>(bytes.at(at));
    raw.byte1 = static_cast<std::uint8_t>(bytes.at(at + 1));
    raw.byte2 = static_cast<std::uint8_t>(bytes.at(at + 2));
    raw.byte3 = static_cast<std::uint8_t>(bytes.at(at + 3));
    return raw;
}

}  // namespace

FW_Info make_FW_Info(QString path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FW_Info();
    return make_FW_Info(file.readAll());
}

FW_Info make_FW_Info(QByteArray bytes)
{
    FW_Info fw;
    const int index_beg = bytes.indexOf(begin_marker);
    const int index_end = bytes.indexOf(end_marker);
    if (index_beg < 0 || index_end < 0) {
        qDebug() << "index_beg =" << index_beg << "index_end =" << index_end;
        return fw;
    }
    if (index_beg > last_marker_offset || index_end > last_marker_offset)
        return fw;
    const int d = index_end - index_beg;
    if (d < header_size || (d - header_size) % pair_size != 0) {
        qDebug() << "index_beg =" << index_beg << "index_end =" << index_end << "nr_of_pair_bytes =" << d - header_size;
        return fw;
    }
    // From here on the whole block lies between the two markers, inside `bytes`.
    const int n = (d - header_size) / pair_size;
    fw.info = make_ProductInfo(product_field(bytes, index_beg + 4));
    fw.name = get_string(bytes, index_beg + 8);
    fw.rev = get_string(bytes, index_beg + 40);
    for (int i = 0; i < n; ++i) {
        const QString key = get_string(bytes, index_beg + header_size + pair_size * i);
        const QString value = get_string(bytes, index_beg + header_size + pair_size * i + field_size);
        if (key.isEmpty() || value.isEmpty())
            break;
        fw.details.append({key, value});
    }
    fw.valid = true;
    return fw;
}

QString get_string(QByteArray const& bytes, int offset)
{
    if (offset < 0 || offset >= bytes.size())
        return QString();
    const QByteArray field = bytes.mid(offset, field_size);
    const int length = field.indexOf('\0');
    if (length == 0 || (length < 0 && field.size() == field_size))
        return QString();
    return QString::fromUtf8(length < 0 ? field : field.left(length));
}

int local_strlen(char const* text)
{
    for (int i = 0; i < field_size; ++i)
        if (text[i] == '\0')
            return i;
    return -1;
}

FW_Info::operator QString() const
{
    if (!valid)
        return QStringLiteral("FW info:\n\tInvalid");
    QStringList lines{QStringLiteral("FW info:"), QStringLiteral("  Type: ") + QString(info),
                      QStringLiteral("  Name: ") + name, QStringLiteral("  Rev.: ") + rev,
                      QStringLiteral("  Details:")};
    for (const auto& [key, value] : details)
        lines << QStringLiteral("    ") + key.leftJustified(31) + QStringLiteral(": ") + value.leftJustified(31);
    return lines.join(QLatin1Char('\n'));
}

QDebug operator<<(QDebug debug, const FW_Info& fw)
{
    return support_misc::write_unquoted(debug, fw);
}

}  // namespace Device
