#pragma once
// Product type numbers, the product table, and the product field that units and
// firmware images both carry.

#include <QString>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class QDebug;

namespace Device {

enum Type : std::uint8_t {
    invalid = 0,
    KORV = 3,
    BRAM = 4,
    Q7X = 11,
    WREN = 30,
    LYNX = 36,
    OKAP = 43,
    MUSK = 132,
    TARN = 140,
    unknown = 254,
    undefined = 255,
};

struct ProductEntry {
    Type type;
    QString code;
    QString codename;
    QString product_name;
    QString product_name_full;
};

// Every lookup searches the rows in table order; the first match wins.
class Products : public std::vector<ProductEntry> {
public:
    using std::vector<ProductEntry>::vector;
    const_iterator find(Type type) const;
    const_iterator find(unsigned char type) const;
    const_iterator find(const QString& code) const;
};

extern const Products products;

// The product field as stored: one little-endian 32-bit value, type byte lowest.
struct ProductInfoRaw {
    std::uint8_t raw_type = 0;
    std::uint8_t byte1 = 0xFF;
    std::uint8_t byte2 = 0xFF;
    std::uint8_t byte3 = 0xFF;
};

struct ProductInfo {
    Type type = invalid;
    std::uint8_t byte1 = 0xFF;
    std::uint8_t byte2 = 0xFF;
    std::uint8_t byte3 = 0xFF;
    std::int32_t raw_type = 0;

    QString product_name() const;
    QString product_name_full() const;
    operator QString() const;
};

ProductInfo make_ProductInfo(ProductInfoRaw raw);

bool is_valid(Type t);
bool is_known(Type t);
Type to_Type(unsigned char b);
Type to_Type(QString s);
QString to_QString(Type t);
std::string to_string(Type t);

// Two products are the same product when their types are; the other bytes do not count.
bool operator==(const ProductInfo& a, const ProductInfo& b);

std::ostream& operator<<(std::ostream& stream, Type t);
QDebug operator<<(QDebug debug, Type t);
QDebug operator<<(QDebug debug, const ProductInfo& info);

}  // namespace Device
