// Product types, the product table and the product field.

#include "device/product.h"
#include "support/log_capture.h"

#include <QtTest>
#include <sstream>

using namespace Device;

class TestProduct : public QObject {
    Q_OBJECT

private slots:
    void table_rows_in_order()
    {
        QStringList codes;
        for (const ProductEntry& row : products)
            codes << row.code;
        QCOMPARE(codes, (QStringList{"invalid", "undefined", "KORV", "BRAM", "OKAP", "Q7X", "MUSK", "WREN", "LYNX",
                                     "TARN", "unknown"}));
        const auto wren = products.find(WREN);
        QCOMPARE(wren->codename, QStringLiteral("Wren"));
        QCOMPARE(wren->product_name, QStringLiteral("M30"));
        QCOMPARE(wren->product_name_full, QStringLiteral("Strobix M30"));
        QCOMPARE(products.find(QStringLiteral("TARN"))->product_name_full, QStringLiteral("Strobix K8X & K8 series"));
        QVERIFY(products.find(static_cast<unsigned char>(5)) == products.end());
    }

    void validity_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<bool>("known");
        QTest::newRow("invalid 0") << 0 << false << false;
        QTest::newRow("undefined 255") << 255 << false << false;
        QTest::newRow("unknown 254") << 254 << true << false;
        QTest::newRow("WREN 30") << 30 << true << true;
        QTest::newRow("TARN 140") << 140 << true << true;
        QTest::newRow("unlisted 5") << 5 << true << true;
    }
    void validity()
    {
        QFETCH(int, type);
        QFETCH(bool, valid);
        QFETCH(bool, known);
        QCOMPARE(is_valid(static_cast<Type>(type)), valid);
        QCOMPARE(is_known(static_cast<Type>(type)), known);
    }

    void make_ProductInfo_and_text_form_data()
    {
        QTest::addColumn<int>("raw_type");
        QTest::addColumn<int>("byte1");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::newRow("WREN") << 0x1E << 0xFF << 30 << QStringLiteral("ProductInfo: WREN (30)");
        QTest::newRow("WREN with byte1") << 0x1E << 0x00 << 30 << QStringLiteral("ProductInfo: WREN (30) [1e 00 ff ff]");
        QTest::newRow("unlisted 0x63") << 0x63 << 0xFF << 254 << QStringLiteral("ProductInfo: unknown (254) [63 ff ff ff]");
        QTest::newRow("unlisted 5") << 5 << 0xFF << 254 << QStringLiteral("ProductInfo: unknown (254) [05 ff ff ff]");
        QTest::newRow("0 kept") << 0 << 0xFF << 0 << QStringLiteral("ProductInfo: invalid (0)");
        QTest::newRow("254 kept") << 254 << 0xFF << 254 << QStringLiteral("ProductInfo: unknown (254) [fe ff ff ff]");
        QTest::newRow("255 kept") << 255 << 0xFF << 255 << QStringLiteral("ProductInfo: undefined (255)");
    }
    void make_ProductInfo_and_text_form()
    {
        QFETCH(int, raw_type);
        QFETCH(int, byte1);
        QFETCH(int, type);
        QFETCH(QString, text);
        const ProductInfo info = make_ProductInfo(
            {static_cast<std::uint8_t>(raw_type), static_cast<std::uint8_t>(byte1), 0xFF, 0xFF});
        QCOMPARE(int(info.type), type);
        QCOMPARE(info.raw_type, raw_type);
        QCOMPARE(int(info.byte1), byte1);
        QCOMPARE(QString(info), text);

        LogCapture log;
        qInfo() << info << QStringLiteral("next");
        QCOMPARE(log.messages(), QStringList{text + " \"next\""});
    }

    void empty_ProductInfo()
    {
        const ProductInfo empty;
        QCOMPARE(int(empty.type), 0);
        QCOMPARE(empty.raw_type, 0);
        QCOMPARE(int(empty.byte1) + int(empty.byte2) + int(empty.byte3), 3 * 0xFF);
        QCOMPARE(empty.product_name(), QStringLiteral("N/A"));
    }

    void to_Type_from_text_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("code") << QStringLiteral("WREN") << 30;
        QTest::newRow("other case") << QStringLiteral("wren") << 254;
        QTest::newRow("unknown") << QStringLiteral("unknown") << 254;
        QTest::newRow("undefined") << QStringLiteral("undefined") << 255;
        QTest::newRow("not a code") << QStringLiteral("M30") << 254;
    }
    void to_Type_from_text()
    {
        QFETCH(QString, text);
        QFETCH(int, type);
        QCOMPARE(int(to_Type(text)), type);
    }

    void to_Type_from_byte()
    {
        QCOMPARE(to_Type(static_cast<unsigned char>(43)), OKAP);
        QCOMPARE(to_Type(static_cast<unsigned char>(35)), unknown);
        QCOMPARE(to_Type(static_cast<unsigned char>(255)), undefined);
    }

    void type_without_row()
    {
        const Type impossible = static_cast<Type>(5);
        QCOMPARE(to_QString(impossible), QStringLiteral("impossible type"));
        QCOMPARE(to_string(impossible), std::string("impossible type"));
        ProductInfo info;
        info.type = impossible;
        QCOMPARE(info.product_name(), QString());
        QCOMPARE(info.product_name_full(), QString());
        QCOMPARE(QString(info), QStringLiteral("ProductInfo: impossible type (5)"));
    }

    void type_text_forms()
    {
        std::ostringstream out;
        out << MUSK;
        QCOMPARE(out.str(), std::string("MUSK"));
        LogCapture log;
        qInfo() << LYNX << QStringLiteral("next");
        QCOMPARE(log.messages(), QStringList{"LYNX \"next\""});
    }

    void equality_compares_type_only()
    {
        const ProductInfo a = make_ProductInfo({30, 0xFF, 0xFF, 0xFF});
        const ProductInfo b = make_ProductInfo({30, 0x01, 0x02, 0x03});
        const ProductInfo c = make_ProductInfo({36, 0xFF, 0xFF, 0xFF});
        QVERIFY(a == b);
        QVERIFY(!(a == c));
    }
};

QTEST_GUILESS_MAIN(TestProduct)
#include "test_product.moc"
