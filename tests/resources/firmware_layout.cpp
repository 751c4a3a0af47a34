#include "firmware_layout.h"

#include <QtEndian>

namespace firmware_layout {

const QByteArray beginMarker = QByteArray::fromHex("12472301");
const QByteArray endMarker = QByteArray::fromHex("13472301");

namespace {

constexpr int textField = 32;
constexpr int markerSize = 4;

// A text field is UTF-8 ended by a zero byte inside the field, zero-filled after it.
bool readText(const QByteArray &image, int offset, QString &text, QString &error)
{
    if (offset + textField > image.size()) {
        error = QStringLiteral("text field at %1 runs past the end of the image").arg(offset);
        return false;
    }
    const QByteArray field = image.mid(offset, textField);
    const int end = field.indexOf('\0');
    if (end < 0) {
        error = QStringLiteral("text field at %1 has no terminating zero").arg(offset);
        return false;
    }
    if (field.mid(end).count('\0') != textField - end) {
        error = QStringLiteral("text field at %1 is not zero-filled after its text").arg(offset);
        return false;
    }
    text = QString::fromUtf8(field.left(end));
    return true;
}

} // namespace

quint32 word(const QByteArray &image, int offset)
{
    return qFromLittleEndian<quint32>(image.constData() + offset);
}

bool readFirmwareInfo(const QByteArray &image, int offset, FirmwareInfo &info, QString &error)
{
    if (image.mid(offset, markerSize) != beginMarker) {
        error = QStringLiteral("no begin marker at %1").arg(offset);
        return false;
    }
    if (offset + 8 > image.size()) {
        error = QStringLiteral("image ends inside the product bytes");
        return false;
    }
    info.productType = quint8(image.at(offset + 4));
    info.productTail = image.mid(offset + 5, 3);
    if (!readText(image, offset + 8, info.name, error)
        || !readText(image, offset + 8 + textField, info.revision, error))
        return false;

    int pair = offset + 8 + 2 * textField;
    while (image.mid(pair, markerSize) != endMarker) {
        QString key;
        QString value;
        if (!readText(image, pair, key, error) || !readText(image, pair + textField, value, error))
            return false;
        info.details.append({key, value});
        pair += 2 * textField;
    }
    info.endMarkerOffset = pair;
    return true;
}

QVector<int> occurrences(const QByteArray &haystack, const QByteArray &needle)
{
    QVector<int> found;
    for (int at = haystack.indexOf(needle); at >= 0; at = haystack.indexOf(needle, at + 1))
        found.append(at);
    return found;
}

} // namespace firmware_layout
