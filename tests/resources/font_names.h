#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The records of an OpenType name table, which Qt reads only in part (the family and
// style), so the test can see every name a renamed font still carries.
namespace font_names {

struct Record {
    quint16 platform = 0;
    quint16 encoding = 0;
    quint16 language = 0;
    quint16 nameId = 0;
    QString text;
};

// False, with the reason in `error`, when the table is cut short.
bool parse(const QByteArray &table, QVector<Record> &records, QString &error);

} // namespace font_names
