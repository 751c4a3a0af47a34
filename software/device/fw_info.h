#pragma once
// The firmware information block near the start of every firmware image, and so of a
// unit's flash: product, name, revision and free key/value details.

#include "device/product.h"

#include <QByteArray>
#include <QPair>
#include <QString>
#include <QVector>

class QDebug;

namespace Device {

struct FW_Info {
    ProductInfo info;
    QString name;
    QString rev;
    QVector<QPair<QString, QString>> details;
    bool valid = false;

    operator QString() const;
};

FW_Info make_FW_Info(QString path);
FW_Info make_FW_Info(QByteArray bytes);

// The text of the 32-byte string field at `offset`; empty for a field that starts with a
// zero byte or has none in its 32 bytes. Never reads outside `bytes`.
QString get_string(QByteArray const& bytes, int offset);

// Bytes before the first zero byte when it lies within the first 32 bytes, else -1.
int local_strlen(char const* text);

QDebug operator<<(QDebug debug, const FW_Info& fw);

}  // namespace Device
