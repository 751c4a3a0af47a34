#include "dfuse_file.h"

#include <QtEndian>

namespace dfuse_file {

namespace {

constexpr int suffixSize = 16;

// Reads little-endian fields in order and remembers if any ran past the end.
class Reader {
public:
    Reader(const QByteArray &bytes, int end) : bytes_(bytes), end_(end) {}

    QByteArray take(int count)
    {
        if (count < 0 || at_ + count > end_) {
            overrun_ = true;
            at_ = end_;
            return {};
        }
        const QByteArray part = bytes_.mid(at_, count);
        at_ += count;
        return part;
    }
    template <typename T> T number()
    {
        const QByteArray part = take(sizeof(T));
        return part.size() == int(sizeof(T)) ? qFromLittleEndian<T>(part.constData()) : T(0);
    }
    int position() const { return at_; }
    bool overrun() const { return overrun_; }

private:
    const QByteArray &bytes_;
    int end_;
    int at_ = 0;
    bool overrun_ = false;
};

} // namespace

bool parse(const QByteArray &bytes, File &file, QString &error)
{
    if (bytes.size() < suffixSize) {
        error = QStringLiteral("%1 bytes cannot hold a DFU suffix").arg(bytes.size());
        return false;
    }
    const int suffixStart = bytes.size() - suffixSize;
    Reader body(bytes, suffixStart);
    file.signature = body.take(5);
    file.version = body.number<quint8>();
    file.imageSize = body.number<quint32>();
    const int targetCount = body.number<quint8>();
    for (int t = 0; t < targetCount && !body.overrun(); ++t) {
        Target target;
        target.signature = body.take(6);
        target.alternateSetting = body.number<quint8>();
        body.take(4 + 255); // whether the target is named, and the name
        const quint32 targetSize = body.number<quint32>();
        const quint32 elementCount = body.number<quint32>();
        const int elementsStart = body.position();
        for (quint32 e = 0; e < elementCount && !body.overrun(); ++e) {
            Element element;
            element.address = body.number<quint32>();
            element.data = body.take(int(body.number<quint32>()));
            target.elements.append(element);
        }
        const int elementsSize = body.position() - elementsStart;
        if (!body.overrun() && quint32(elementsSize) != targetSize) {
            error = QStringLiteral("target %1 says %2 bytes, its elements take %3")
                        .arg(t).arg(targetSize).arg(elementsSize);
            return false;
        }
        file.targets.append(target);
    }
    if (body.overrun()) {
        error = QStringLiteral("the targets run into the suffix");
        return false;
    }
    if (body.position() != suffixStart) {
        error = QStringLiteral("%1 bytes between the last target and the suffix")
                    .arg(suffixStart - body.position());
        return false;
    }

    const QByteArray tail = bytes.mid(suffixStart);
    Reader suffix(tail, suffixSize);
    file.bcdDevice = suffix.number<quint16>();
    file.idProduct = suffix.number<quint16>();
    file.idVendor = suffix.number<quint16>();
    file.bcdDfu = suffix.number<quint16>();
    file.suffixSignature = suffix.take(3);
    file.suffixLength = suffix.number<quint8>();
    file.crc = suffix.number<quint32>();
    return true;
}

quint32 dfuCrc(const QByteArray &bytes)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
    }
    return crc;
}

} // namespace dfuse_file
