#include "device/product.h"

#include "files/unquoted.h"

#include <QDebug>
#include <algorithm>

namespace Device {

const Products products = {
    {invalid, "invalid", "Invalid", "N/A", "N/A"},
    {undefined, "undefined", "Undefined", "?", "?"},
    {KORV, "KORV", "Korvane", "Zen-4", "Zen-4 Vexlink"},
    {BRAM, "BRAM", "Bramble", "Zen-5", "Strobix Zen-5"},
    {OKAP, "OKAP", "Okapi", "Q7", "Q7 Vexlink"},
    {Q7X, "Q7X", "Q7x", "Q7 Industrial", "Q7 Industrial"},
    {MUSK, "MUSK", "Muskrat", "M3Z", "Strobix M3 & M3Z"},
    {WREN, "WREN", "Wren", "M30", "Strobix M30"},
    {LYNX, "LYNX", "Lynx", "M4", "Strobix M4"},
    {TARN, "TARN", "Tarnhelm", "K8 or K8X", "Strobix K8X & K8 series"},
    {unknown, "unknown", "Unknown", "unknown", "unknown"},
};

Products::const_iterator Products::find(Type type) const
{
    return std::find_if(begin(), end(), [type](const ProductEntry& row) { return row.type == type; });
}

Products::const_iterator Products::find(unsigned char type) const
{
    return find(static_cast<Type>(type));
}

Products::const_iterator Products::find(const QString& code) const
{
    return std::find_if(begin(), end(), [&code](const ProductEntry& row) { return row.code == code; });
}

ProductInfo make_ProductInfo(ProductInfoRaw raw)
{
    ProductInfo info;
    info.type = to_Type(raw.raw_type);
    info.byte1 = raw.byte1;
    info.byte2 = raw.byte2;
    info.byte3 = raw.byte3;
    info.raw_type = raw.raw_type;
    return info;
}

bool is_valid(Type t)
{
    return t != invalid && t != undefined;
}

bool is_known(Type t)
{
    return is_valid(t) && t != unknown;
}

Type to_Type(unsigned char b)
{
    return products.find(b) != products.end() ? static_cast<Type>(b) : unknown;
}

Type to_Type(QString s)
{
    if (s.isEmpty())
        return invalid;
    const auto row = products.find(s);
    return row != products.end() ? row->type : unknown;
}

QString to_QString(Type t)
{
    const auto row = products.find(t);
    return row != products.end() ? row->code : QStringLiteral("impossible type");
}

std::string to_string(Type t)
{
    return to_QString(t).toStdString();
}

QString ProductInfo::product_name() const
{
    const auto row = products.find(type);
    return row != products.end() ? row->product_name : QString();
}

QString ProductInfo::product_name_full() const
{
    const auto row = products.find(type);
    return row != products.end() ? row->product_name_full : QString();
}

ProductInfo::operator QString() const
{
    QString text = QStringLiteral("ProductInfo: %1 (%2)").arg(to_QString(type)).arg(int(type));
    if (type == unknown || byte1 != 0xFF || byte2 != 0xFF || byte3 != 0xFF) {
        const auto hex = [](int value) { return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')); };
        text += QStringLiteral(" [%1 %2 %3 %4]").arg(hex(raw_type), hex(byte1), hex(byte2), hex(byte3));
    }
    return text;
}

bool operator==(const ProductInfo& a, const ProductInfo& b)
{
    return a.type == b.type;
}

std::ostream& operator<<(std::ostream& stream, Type t)
{
    return stream << to_string(t);
}

QDebug operator<<(QDebug debug, Type t)
{
    return support_misc::write_unquoted(debug, to_QString(t));
}

QDebug operator<<(QDebug debug, const ProductInfo& info)
{
    return support_misc::write_unquoted(debug, QString(info));
}

}  // namespace Device
