#include "dfu/dfu_util_parser.h"

#include <QDebug>
#include <QMap>
#include <QRegularExpression>

const QString DfuUtilParser::prefix_RE = QStringLiteral("^Found DFU: \\[0483:df11\\] ver=2200");
const QString DfuUtilParser::extract_serial_RE = QStringLiteral("serial=\\\"([0-9a-fA-F]+)\\\"");

namespace {

// Built once per run: the worker scans every half second while it waits for a unit.
const QRegularExpression& prefix_expression()
{
    static const QRegularExpression expression(DfuUtilParser::prefix_RE);
    return expression;
}

const QRegularExpression& serial_expression()
{
    static const QRegularExpression expression(DfuUtilParser::extract_serial_RE);
    return expression;
}

// The STM32 bootloader lists four alternate settings under one serial number.
constexpr int alternate_settings_of_a_unit = 4;

}  // namespace

DfuUtilParser::DfuUtilParser(QString const& output)
{
    int counted_lines = 0;
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        if (!prefix_expression().match(line).hasMatch())
            continue;
        const QRegularExpressionMatch serial = serial_expression().match(line);
        if (!serial.hasMatch()) {
            qDebug() << line;
            status = no_dfu_device;
            return;
        }
        const QString text = serial.captured(1);
        if (serials.empty() || serials.back() != text)
            serials.push_back(text);
        ++counted_lines;
    }
    serial_count = static_cast<int>(serials.size());
    if (serial_count == 1)
        status = counted_lines == alternate_settings_of_a_unit ? one_dfu_device : invalid_dfu_device;
    else
        status = serial_count == 0 ? no_dfu_device : multiple_dfu_devices;
}

QString DfuUtilParser::status_as_string() const
{
    static const QMap<int, QString> texts = {
        {no_dfu_device, QStringLiteral("no_dfu_device")},
        {one_dfu_device, QStringLiteral("one_dfu_device")},
        {invalid_dfu_device, QStringLiteral("invalid_dfu_device")},
        {multiple_dfu_devices, QStringLiteral("multiple_dfu_devices")},
    };
    return texts.value(status);
}
