#include "common/Failure.h"
#include "common/VisibleText.h"
#include "serial/LineSettings.h"
#include "support/Failures.h"
#include "support/Row.h"

#include <QtTest>

using namespace orva;

Q_DECLARE_METATYPE(Parity)
Q_DECLARE_METATYPE(StopBits)

class LineSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void accepted_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<LineSettings>("settings");
        test::row("usual", "9600,n,8,1", LineSettings{9600, Parity::None, 8, StopBits::One});
        test::row("blanks around fields", " 19200 , E , 7 , 2 ",
                  LineSettings{19200, Parity::Even, 7, StopBits::Two});
        test::row("odd upper case", "110,O,5,1.5",
                  LineSettings{110, Parity::Odd, 5, StopBits::OneAndHalf});
        test::row("mark", "256000,m,6,1", LineSettings{256000, Parity::Mark, 6, StopBits::One});
        test::row("space", "14400,S,8,1", LineSettings{14400, Parity::Space, 8, StopBits::One});
    }

    void accepted()
    {
        QFETCH(QString, text);
        QFETCH(LineSettings, settings);
        QVERIFY(parseLineSettings(text) == settings);
    }

    void rejected_data()
    {
        QTest::addColumn<QString>("text");
        test::row("initial text", "Text7");
        test::row("empty", "");
        test::row("unknown baud", "9601,n,8,1");
        test::row("parity word", "9600,none,8,1");
        test::row("parity x", "9600,x,8,1");
        test::row("data bits 9", "9600,n,9,1");
        test::row("data bits 4", "9600,n,4,1");
        test::row("data bits with a sign", "9600,n,+8,1");
        test::row("stop bits 3", "9600,n,8,3");
        test::row("three fields", "9600,n,8");
        test::row("five fields", "9600,n,8,1,1");
        test::row("cut by a line feed", "9600,n,8,1\nPORT B:2");
    }

    void rejected()
    {
        QFETCH(QString, text);
        test::expectFailure([&] { (void)parseLineSettings(text); }, '"' + visibleText(text) + '"');
    }
};

QTEST_GUILESS_MAIN(LineSettingsTest)
#include "tst_linesettings.moc"
