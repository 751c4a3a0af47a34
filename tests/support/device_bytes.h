#pragma once
// Small byte fixtures: product-record read-outs and firmware information blocks.

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QVector>

namespace fixture {

inline const QByteArray otp_marker("\x11\x47\x23\x01", 4);
inline const QByteArray fw_begin("\x12\x47\x23\x01", 4);
inline const QByteArray fw_end("\x13\x47\x23\x01", 4);

// `size` bytes of erased memory (0xFF).
inline QByteArray erased(int size)
{
    return QByteArray(size, '\xFF');
}

// A 16-byte product record: marker, type, three product bytes, eight tail bytes 0..7.
inline QByteArray otp_record(unsigned char type, QByteArray product_bytes = QByteArray(3, '\xFF'))
{
    QByteArray record = otp_marker;
    record.append(static_cast<char>(type));
    record.append(product_bytes);
    for (char i = 0; i < 8; ++i)
        record.append(i);
    return record;
}

// `base` with `piece` written over it at `offset`.
inline QByteArray placed(QByteArray base, int offset, const QByteArray& piece)
{
    base.replace(offset, piece.size(), piece);
    return base;
}

// A 32-byte string field: the text, a zero byte, zero fill.
inline QByteArray field(const QByteArray& text)
{
    QByteArray f = text.left(31);
    f.append(QByteArray(32 - f.size(), '\0'));
    return f;
}

struct Block {
    unsigned char type = 30;
    QByteArray name = "Wren";
    QByteArray rev = "C2";
    QVector<QPair<QByteArray, QByteArray>> pairs;
};

// A firmware information block from its begin marker to its end marker.
inline QByteArray fw_block(const Block& b)
{
    QByteArray block = fw_begin;
    block.append(static_cast<char>(b.type));
    block.append(QByteArray(3, '\xFF'));
    block.append(field(b.name));
    block.append(field(b.rev));
    for (const auto& [key, value] : b.pairs)
        block.append(field(key)).append(field(value));
    block.append(fw_end);
    return block;
}

}  // namespace fixture
