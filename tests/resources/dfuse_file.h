#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// An independent reading of a DfuSe file (ST's DFU file layout: prefix, targets with
// their elements, and the standard DFU suffix), so the test does not trust the packer.
namespace dfuse_file {

struct Element {
    quint32 address = 0;
    QByteArray data;
};

struct Target {
    QByteArray signature;
    quint8 alternateSetting = 0;
    QVector<Element> elements;
};

struct File {
    QByteArray signature;
    quint8 version = 0;
    quint32 imageSize = 0;
    QVector<Target> targets;
    // suffix
    quint16 bcdDevice = 0;
    quint16 idProduct = 0;
    quint16 idVendor = 0;
    quint16 bcdDfu = 0;
    QByteArray suffixSignature;
    quint8 suffixLength = 0;
    quint32 crc = 0;
};

// False, with the reason in `error`, when the sizes in the file do not add up.
bool parse(const QByteArray &bytes, File &file, QString &error);

// The DFU suffix CRC: reflected CRC-32 (0xEDB88320) from 0xFFFFFFFF, without the final
// inversion that zlib's crc32 applies.
quint32 dfuCrc(const QByteArray &bytes);

} // namespace dfuse_file
