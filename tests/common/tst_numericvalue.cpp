#include "common/NumericValue.h"
#include "support/Row.h"

#include <QtTest>

using namespace orva;

class NumericValueTest : public QObject {
    Q_OBJECT

private slots:
    void value_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        test::row("plain", "3", 3.0);
        test::row("leading blank", " 3", 3.0);
        test::row("blank inside", "1 2", 12.0);
        test::row("tab and line feed inside", "1\t2\n3", 123.0);
        test::row("letters after digits", "12abc", 12.0);
        test::row("followed by a key", "3 PORT B:4", 3.0);
        test::row("no number", "Text8", 0.0);
        test::row("COM3", "COM3", 0.0);
        test::row("empty", "", 0.0);
        test::row("only a sign", "-", 0.0);
        test::row("only a point", ".", 0.0);
        test::row("negative", "-7", -7.0);
        test::row("plus sign", "+7", 7.0);
        test::row("fraction", "2.5", 2.5);
        test::row("leading point", ".5", 0.5);
        test::row("second point ends it", "1.2.3", 1.2);
        test::row("exponent", "1.5E7", 15000000.0);
        test::row("lower-case exponent", "2e3", 2000.0);
        test::row("D exponent", "1.5D2", 150.0);
        test::row("negative exponent", "25E-1", 2.5);
        test::row("exponent without digits", "4E", 4.0);
        test::row("exponent sign without digits", "4E+x", 4.0);
        test::row("hex", "&H1F", 31.0);
        test::row("hex lower case", "&hff", 255.0);
        test::row("hex stops at non-digit", "&H1G", 1.0);
        test::row("octal", "&O17", 15.0);
        test::row("octal stops at 8", "&O78", 7.0);
        test::row("ampersand alone", "&H", 0.0);
        test::row("underflow is zero", "1E-400", 0.0);
        test::row("longest negative exponent", "0.0001E-9223372036854775808", 0.0);
        test::row("negative exponent beyond 64 bits", "5E-99999999999999999999", 0.0);
        test::row("Latin-1 letters", QString::fromLatin1("\xe9\xff"), 0.0);
    }

    void value()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(numericValue(text), std::optional(expected));
    }

    void tooLargeIsNone_data()
    {
        QTest::addColumn<QString>("text");
        test::row("exponent", "1E400");
        test::row("D exponent", "9D999");
        test::row("negative", "-1E309");
        test::row("huge exponent", "1E99999999999999999999");
        test::row("longest exponent after many digits",
                  QString(170, u'9') + "E9223372036854775807");
        test::row("many digits", QString(400, u'9'));
        test::row("long hex", "&H" + QString(300, u'F'));
    }

    void tooLargeIsNone()
    {
        QFETCH(QString, text);
        QCOMPARE(numericValue(text), std::nullopt);
    }

    void portNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        test::row("3", "3", 3);
        test::row("blank then 3", " 3", 3);
        test::row("3 then key", "3 PORT B:4", 3);
        test::row("one blank two", "1 2", 12);
        test::row("2.5 to even", "2.5", 2);
        test::row("3.5 to even", "3.5", 4);
        test::row("2.6", "2.6", 3);
        test::row("COM3", "COM3", 0);
        test::row("highest", "32767", 32767);
        test::row("lowest", "-32768", -32768);
        test::row("rounds into range", "32767.4", 32767);
    }

    void portNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(orva::portNumber(text), std::optional<std::int16_t>(expected));
    }

    void portNumberOutOfRangeIsNone_data()
    {
        QTest::addColumn<QString>("text");
        test::row("32768", "32768");
        test::row("32767.5 rounds up", "32767.5");
        test::row("-32769", "-32769");
        test::row("1E10", "1E10");
        test::row("too large for a double", "1E999");
    }

    void portNumberOutOfRangeIsNone()
    {
        QFETCH(QString, text);
        QCOMPARE(orva::portNumber(text), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(NumericValueTest)
#include "tst_numericvalue.moc"
