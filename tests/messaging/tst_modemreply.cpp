#include "messaging/ModemReply.h"

#include <QtTest>

using namespace orva;

Q_DECLARE_METATYPE(ModemVerdict)

class ModemReplyTest : public QObject {
    Q_OBJECT

private slots:
    void commandReply_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<ModemVerdict>("verdict");
        QTest::newRow("nothing") << "" << ModemVerdict::Silent;
        QTest::newRow("prompt") << "\r\nOK\r\n\r\n> " << ModemVerdict::Accepted;
        QTest::newRow("bare prompt") << "\r\nOK\r\n\r\n>" << ModemVerdict::Accepted;
        QTest::newRow("echo and prompt")
            << "at+cmgf = 1\r\r\nOK\r\nAT+CMGS=\"1\"\r\r\n> " << ModemVerdict::Accepted;
        QTest::newRow("ERROR") << "\r\nOK\r\n\r\nERROR\r\n" << ModemVerdict::Refused;
        QTest::newRow("ERROR without line ends") << "ERROR" << ModemVerdict::Refused;
        QTest::newRow("CMS ERROR") << "\r\n+CMS ERROR: 304\r\n" << ModemVerdict::Refused;
        QTest::newRow("CME ERROR") << "\r\n+CME ERROR: 10\r\n" << ModemVerdict::Refused;
        QTest::newRow("prompt beats ERROR") << "\r\nERROR\r\n> " << ModemVerdict::Accepted;
        QTest::newRow("only OK") << "\r\nOK\r\n" << ModemVerdict::Accepted;
        QTest::newRow("stray byte") << "x" << ModemVerdict::Accepted;
        QTest::newRow("NUL bytes") << QString(3, QChar(0)) << ModemVerdict::Accepted;
        QTest::newRow("ERROR inside a word") << "NOERRORS" << ModemVerdict::Accepted;
        QTest::newRow("1 MiB of noise") << QString(1024 * 1024, u'z') << ModemVerdict::Accepted;
    }

    void commandReply()
    {
        QFETCH(QString, reply);
        QTEST(judgeCommandReply(reply), "verdict");
    }

    void bodyReply_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<ModemVerdict>("verdict");
        QTest::newRow("nothing") << "" << ModemVerdict::Accepted;
        QTest::newRow("CMGS OK") << "\r\n+CMGS: 12\r\n\r\nOK\r\n" << ModemVerdict::Accepted;
        QTest::newRow("CMS ERROR") << "\r\n+CMS ERROR: 500\r\n" << ModemVerdict::Refused;
        QTest::newRow("ERROR") << "\r\nERROR\r\n" << ModemVerdict::Refused;
        QTest::newRow("echoed body naming an error")
            << ".PUMP 3 ERROR\x1a\r\n+CMGS: 3\r\n\r\nOK\r\n"
            << ModemVerdict::Accepted;
    }

    void bodyReply()
    {
        QFETCH(QString, reply);
        QTEST(judgeBodyReply(reply), "verdict");
    }
};

QTEST_GUILESS_MAIN(ModemReplyTest)
#include "tst_modemreply.moc"
