#include "common/Failure.h"
#include "common/NumericValue.h"

#include <QtTest>

using namespace orva;

class NumericValueTest : public QObject {
    Q_OBJECT

private slots:
    void value_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("plain") << "3" << 3.0;
        QTest::newRow("leading blank") << " 3" << 3.0;
        QTest::newRow("blank inside") << "1 2" << 12.0;
        QTest::newRow("tab and line feed inside") << "1\t2\n3" << 123.0;
        QTest::newRow("letters after digits") << "12abc" << 12.0;
        QTest::newRow("followed by a key") << "3 PORT B:4" << 3.0;
        QTest::newRow("no number") << "Text8" << 0.0;
        QTest::newRow("COM3") << "COM3" << 0.0;
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("only a sign") << "-" << 0.0;
        QTest::newRow("only a point") << "." << 0.0;
        QTest::newRow("negative") << "-7" << -7.0;
        QTest::newRow("plus sign") << "+7" << 7.0;
        QTest::newRow("fraction") << "2.5" << 2.5;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("second point ends it") << "1.2.3" << 1.2;
        QTest::newRow("exponent") << "1.5E7" << 15000000.0;
        QTest::newRow("lower-case exponent") << "2e3" << 2000.0;
        QTest::newRow("D exponent") << "1.5D2" << 150.0;
        QTest::newRow("negative exponent") << "25E-1" << 2.5;
        QTest::newRow("exponent without digits") << "4E" << 4.0;
        QTest::newRow("exponent sign without digits") << "4E+x" << 4.0;
        QTest::newRow("hex") << "&H1F" << 31.0;
        QTest::newRow("hex lower case") << "&hff" << 255.0;
        QTest::newRow("hex stops at non-digit") << "&H1G" << 1.0;
        QTest::newRow("octal") << "&O17" << 15.0;
        QTest::newRow("octal stops at 8") << "&O78" << 7.0;
        QTest::newRow("ampersand alone") << "&H" << 0.0;
        QTest::newRow("underflow is zero") << "1E-400" << 0.0;
        QTest::newRow("longest negative exponent") << "0.0001E-9223372036854775808" << 0.0;
        QTest::newRow("negative exponent beyond 64 bits") << "5E-99999999999999999999" << 0.0;
        QTest::newRow("Latin-1 letters") << QString::fromLatin1("\xe9\xff") << 0.0;
    }

    void value()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(numericValue(text), expected);
    }

    void tooLargeFails_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("exponent") << "1E400";
        QTest::newRow("D exponent") << "9D999";
        QTest::newRow("negative") << "-1E309";
        QTest::newRow("huge exponent") << "1E99999999999999999999";
        QTest::newRow("longest exponent after many digits")
            << QString(170, u'9') + "E9223372036854775807";
        QTest::newRow("many digits") << QString(400, u'9');
        QTest::newRow("long hex") << "&H" + QString(300, u'F');
    }

    void tooLargeFails()
    {
        QFETCH(QString, text);
        QVERIFY_THROWS_EXCEPTION(Failure, numericValue(text));
    }

    void portNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("3") << "3" << 3;
        QTest::newRow("blank then 3") << " 3" << 3;
        QTest::newRow("3 then key") << "3 PORT B:4" << 3;
        QTest::newRow("one blank two") << "1 2" << 12;
        QTest::newRow("2.5 to even") << "2.5" << 2;
        QTest::newRow("3.5 to even") << "3.5" << 4;
        QTest::newRow("2.6") << "2.6" << 3;
        QTest::newRow("COM3") << "COM3" << 0;
        QTest::newRow("highest") << "32767" << 32767;
        QTest::newRow("lowest") << "-32768" << -32768;
        QTest::newRow("rounds into range") << "32767.4" << 32767;
    }

    void portNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(int{orva::portNumber(text)}, expected);
    }

    void portNumberOutOfRangeFails_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("32768") << "32768";
        QTest::newRow("32767.5 rounds up") << "32767.5";
        QTest::newRow("-32769") << "-32769";
        QTest::newRow("1E10") << "1E10";
        QTest::newRow("too large for a double") << "1E999";
    }

    void portNumberOutOfRangeFails()
    {
        QFETCH(QString, text);
        QVERIFY_THROWS_EXCEPTION(Failure, orva::portNumber(text));
    }
};

QTEST_GUILESS_MAIN(NumericValueTest)
#include "tst_numericvalue.moc"
