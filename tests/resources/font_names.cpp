#include "font_names.h"

#include <QtEndian>

namespace font_names {

namespace {

quint16 at(const QByteArray &table, int offset)
{
    return qFromBigEndian<quint16>(table.constData() + offset);
}

QString decode(quint16 platform, const QByteArray &bytes)
{
    // Unicode and Windows names are UTF-16BE; Macintosh Roman agrees with Latin-1 on
    // the ASCII that font names are written in.
    if (platform == 1)
        return QString::fromLatin1(bytes);
    QString text;
    for (int i = 0; i + 1 < bytes.size(); i += 2)
        text.append(QChar(at(bytes, i)));
    return text;
}

} // namespace

bool parse(const QByteArray &table, QVector<Record> &records, QString &error)
{
    constexpr int headerSize = 6;
    constexpr int recordSize = 12;
    if (table.size() < headerSize) {
        error = QStringLiteral("name table of %1 bytes has no header").arg(table.size());
        return false;
    }
    const int count = at(table, 2);
    const int storage = at(table, 4);
    if (headerSize + count * recordSize > table.size()) {
        error = QStringLiteral("name table too short for its %1 records").arg(count);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        const int offset = headerSize + i * recordSize;
        const int length = at(table, offset + 8);
        const int start = storage + at(table, offset + 10);
        if (start + length > table.size()) {
            error = QStringLiteral("name record %1 points past the table").arg(i);
            return false;
        }
        const quint16 platform = at(table, offset);
        records.append({platform, at(table, offset + 2), at(table, offset + 4), at(table, offset + 6),
                        decode(platform, table.mid(start, length))});
    }
    return true;
}

} // namespace font_names
