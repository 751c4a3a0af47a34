#pragma once

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QVector>

// The parts of a raw image for 0x08000000 that say what it is: the Cortex-M vector
// table and the firmware information block behind it.
namespace firmware_layout {

constexpr quint32 flashBase = 0x08000000;
constexpr int vectorCount = 16 + 91;
constexpr int informationBlockOffset = 4 * vectorCount;
extern const QByteArray beginMarker;
extern const QByteArray endMarker;

struct FirmwareInfo {
    quint8 productType = 0;
    QByteArray productTail; // the three product bytes after the type
    QString name;
    QString revision;
    QVector<QPair<QString, QString>> details;
    int endMarkerOffset = -1;
};

quint32 word(const QByteArray &image, int offset);

// Reads the block whose begin marker is at `offset`; false, with the reason in `error`,
// when the bytes there are not a well-formed block.
bool readFirmwareInfo(const QByteArray &image, int offset, FirmwareInfo &info, QString &error);

QVector<int> occurrences(const QByteArray &haystack, const QByteArray &needle);

} // namespace firmware_layout
