#include "messaging/ModemReply.h"
#include "messaging/ModemStatus.h"
#include "messaging/OutgoingSms.h"
#include "messaging/SmsOutcome.h"

#include <QtTest>

using namespace orva;

Q_DECLARE_METATYPE(ModemVerdict)
Q_DECLARE_METATYPE(SmsOutcome)

namespace {

const QString kEcho = "at+cmgf = 1\r\r\nOK\r\nAT+CMGS=\"91234567\"\r";

} // namespace

// What the modem's answers mean, what the log says of an outcome, and where a message goes.
class SmsRulesTest : public QObject {
    Q_OBJECT

private slots:
    void commandReply_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<ModemVerdict>("verdict");
        QTest::addColumn<QString>("resultLine");
        using V = ModemVerdict;
        QTest::newRow("nothing") << "" << V::Silent << "";
        QTest::newRow("prompt") << "\r\nOK\r\n\r\n> " << V::Prompted << "";
        QTest::newRow("bare prompt") << "\r\nOK\r\n\r\n>" << V::Prompted << "";
        QTest::newRow("prompt first") << "> " << V::Prompted << "";
        QTest::newRow("echo and prompt") << kEcho + "\r\n> " << V::Prompted << "";
        QTest::newRow("prompt after CR alone") << "\r\nOK\r> " << V::Prompted << "";
        QTest::newRow("ERROR") << "\r\nOK\r\n\r\nERROR\r\n" << V::Refused << "ERROR";
        QTest::newRow("ERROR without line ends") << "ERROR" << V::Refused << "ERROR";
        QTest::newRow("CMS ERROR") << "\r\n+CMS ERROR: 304\r\n" << V::Refused << "+CMS ERROR: 304";
        QTest::newRow("CME ERROR") << "\r\n+CME ERROR: 10\r\n" << V::Refused << "+CME ERROR: 10";
        QTest::newRow("prompt beats ERROR") << "\r\nERROR\r\n> " << V::Prompted << "";
        QTest::newRow("> inside an echoed number")
            << "at+cmgf = 1\r\r\nOK\r\nAT+CMGS=\"9123>567\"\r\r\nERROR\r\n"
            << V::Refused << "ERROR";
        QTest::newRow("echo alone") << kEcho << V::NoPrompt << "";
        QTest::newRow("only OK") << "\r\nOK\r\n" << V::NoPrompt << "";
        QTest::newRow("RING storm") << QString("\r\nRING\r\n").repeated(20) << V::NoPrompt << "";
        QTest::newRow("garbage of a wrong speed")
            << QString::fromLatin1("\xf8\x80\xfe\x1e>\x80\xf0") << V::NoPrompt << "";
        QTest::newRow("stray byte") << "x" << V::NoPrompt << "";
        QTest::newRow("NUL bytes") << QString(3, QChar(0)) << V::NoPrompt << "";
        QTest::newRow("ERROR inside a word") << "NOERRORS" << V::NoPrompt << "";
        QTest::newRow("1 MiB of noise") << QString(1024 * 1024, u'z') << V::NoPrompt << "";
    }

    void commandReply()
    {
        QFETCH(QString, reply);
        QFETCH(ModemVerdict, verdict);
        QFETCH(QString, resultLine);
        QCOMPARE(judgeCommandReply(reply), (ModemAnswer{verdict, resultLine}));
    }

    void bodyReply_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<ModemVerdict>("verdict");
        QTest::addColumn<QString>("resultLine");
        using V = ModemVerdict;
        QTest::newRow("nothing yet") << "hi"
                                     << "" << V::Unconfirmed << "";
        QTest::newRow("CMGS OK") << "hi"
                                 << "\r\n+CMGS: 12\r\n\r\nOK\r\n"
                                 << V::Sent << "+CMGS: 12";
        QTest::newRow("CMGS before its OK") << "hi"
                                            << "\r\n+CMGS: 12\r\n"
                                            << V::Sent << "+CMGS: 12";
        QTest::newRow("echo, then CMGS") << "hi"
                                         << "hi\x1a\r\n+CMGS: 4\r\n\r\nOK\r\n"
                                         << V::Sent << "+CMGS: 4";
        QTest::newRow("echo alone") << "hi"
                                    << "hi\x1a" << V::Unconfirmed << "";
        QTest::newRow("only OK") << "hi"
                                 << "\r\nOK\r\n"
                                 << V::Unconfirmed << "";
        QTest::newRow("CMS ERROR") << "hi"
                                   << "\r\n+CMS ERROR: 500\r\n"
                                   << V::Refused << "+CMS ERROR: 500";
        QTest::newRow("CMS ERROR 38 after the echo") << "hi"
                                                     << "hi\x1a\r\n+CMS ERROR: 38\r\n"
                                                     << V::Refused << "+CMS ERROR: 38";
        QTest::newRow("CME ERROR") << "hi"
                                   << "\r\n+CME ERROR: 11\r\n"
                                   << V::Refused << "+CME ERROR: 11";
        QTest::newRow("ERROR") << "hi"
                               << "\r\nERROR\r\n"
                               << V::Refused << "ERROR";
        QTest::newRow("echoed body naming an error")
            << ".PUMP 3 ERROR"
            << ".PUMP 3 ERROR\x1a\r\n+CMGS: 3\r\n\r\nOK\r\n"
            << V::Sent << "+CMGS: 3";
        QTest::newRow("echoed body that reads ERROR") << "ERROR"
                                                      << "ERROR\x1a\r\n+CMGS: 3\r\n\r\nOK\r\n"
                                                      << V::Sent << "+CMGS: 3";
        QTest::newRow("echoed ERROR body before a late CMGS")
            << "ERROR"
            << "ERROR\x1a" << V::Unconfirmed << "";
        QTest::newRow("echoed ERROR body, then refused") << "ERROR"
                                                         << "ERROR\x1a\r\nERROR\r\n"
                                                         << V::Refused << "ERROR";
        QTest::newRow("echo of a body of several lines")
            << "a\rERROR\rb"
            << "a\r\n> ERROR\r\n> b\x1a\r\n+CMGS: 9\r\n"
            << V::Sent << "+CMGS: 9";
        QTest::newRow("unsolicited line before CMGS") << "hi"
                                                      << "\r\n+CMTI: \"SM\",3\r\n\r\n+CMGS: 7\r\n"
                                                      << V::Sent << "+CMGS: 7";
    }

    void bodyReply()
    {
        QFETCH(QString, body);
        QFETCH(QString, reply);
        QFETCH(ModemVerdict, verdict);
        QFETCH(QString, resultLine);
        QCOMPARE(judgeBodyReply(reply, body), (ModemAnswer{verdict, resultLine}));
    }

    // The answers to the status queries of orva --check, as modems give them.
    void statusQueries_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("finalResult");
        QTest::addColumn<QString>("described");
        QTest::newRow("SIM ready") << "\r\n+CPIN: READY\r\n\r\nOK\r\n"
                                   << "OK"
                                   << "ready";
        QTest::newRow("SIM PIN") << "\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n"
                                 << "OK"
                                 << "PIN needed";
        QTest::newRow("SIM PUK") << "\r\n+CPIN: SIM PUK\r\n\r\nOK\r\n"
                                 << "OK"
                                 << "PUK needed";
        QTest::newRow("no SIM") << "\r\n+CME ERROR: 10\r\n"
                                << "+CME ERROR: 10"
                                << "not inserted";
        QTest::newRow("SIM busy") << "\r\n+CME ERROR: 14\r\n"
                                  << "+CME ERROR: 14"
                                  << "unknown (+CME ERROR: 14)";
        QTest::newRow("no signal") << "\r\n+CSQ: 0,99\r\n\r\nOK\r\n"
                                   << "OK"
                                   << "-113 dBm, none";
        QTest::newRow("marginal") << "\r\n+CSQ: 9,99\r\n\r\nOK\r\n"
                                  << "OK"
                                  << "-95 dBm, marginal";
        QTest::newRow("ok") << "\r\n+CSQ: 10,0\r\n\r\nOK\r\n"
                            << "OK"
                            << "-93 dBm, ok";
        QTest::newRow("good") << "\r\n+CSQ: 19,0\r\n\r\nOK\r\n"
                              << "OK"
                              << "-75 dBm, good";
        QTest::newRow("excellent") << "\r\n+CSQ: 31,0\r\n\r\nOK\r\n"
                                   << "OK"
                                   << "-51 dBm, excellent";
        QTest::newRow("signal unknown") << "\r\n+CSQ: 99,99\r\n\r\nOK\r\n"
                                        << "OK"
                                        << "unknown";
        QTest::newRow("home") << "\r\n+CREG: 0,1\r\n\r\nOK\r\n"
                              << "OK"
                              << "registered, home network";
        QTest::newRow("roaming") << "\r\n+CREG: 0,5\r\n\r\nOK\r\n"
                                 << "OK"
                                 << "registered, roaming";
        QTest::newRow("searching") << "\r\n+CREG: 0,2\r\n\r\nOK\r\n"
                                   << "OK"
                                   << "searching";
        QTest::newRow("denied") << "\r\n+CREG: 0,3\r\n\r\nOK\r\n"
                                << "OK"
                                << "registration denied";
        QTest::newRow("unsolicited form") << "\r\n+CREG: 0\r\n\r\nOK\r\n"
                                          << "OK"
                                          << "not registered";
        QTest::newRow("echo, answer pending") << "AT+CSQ\r\r\n+CSQ: 20,99\r\n"
                                              << ""
                                              << "";
    }

    void statusQueries()
    {
        QFETCH(QString, reply);
        QFETCH(QString, finalResult);
        QFETCH(QString, described);
        QCOMPARE(orva::finalResult(reply).value_or(QString()), finalResult);
        if (described.isEmpty())
            return;
        const QString actual = reply.contains("+CPIN") || reply.contains("+CME") ? simState(reply)
                               : reply.contains("+CSQ") ? signalQuality(reply)
                                                        : registration(reply).text;
        QCOMPARE(actual, described);
    }

    void entry_data()
    {
        QTest::addColumn<SmsOutcome>("outcome");
        QTest::addColumn<QString>("entry");
        using K = SmsOutcome::Kind;
        const QString notSent = ", SMS not sent: hi 91234567";
        QTest::newRow("sent") << SmsOutcome{K::Sent, "+CMGS: 7"} << "hi 91234567";
        QTest::newRow("silent") << SmsOutcome{K::Silent, {}} << "No Respond from Modem";
        QTest::newRow("invalid number")
            << SmsOutcome{K::InvalidNumber, {}} << "Invalid Number" + notSent;
        QTest::newRow("port failure")
            << SmsOutcome{K::PortFailure, "port A: gone"} << "Port Error" + notSent;
        QTest::newRow("refused") << SmsOutcome{K::Refused, "+CMS ERROR: 500"}
                                 << "Modem Error (+CMS ERROR: 500)" + notSent;
        QTest::newRow("no prompt")
            << SmsOutcome{K::NoPrompt, {}} << "Modem Error (no prompt)" + notSent;
        QTest::newRow("unconfirmed")
            << SmsOutcome{K::Unconfirmed, {}} << "Modem Error (no confirmation)" + notSent;
    }

    void entry()
    {
        QFETCH(SmsOutcome, outcome);
        QTEST(smsEntry(outcome, "hi", "91234567"), "entry");
    }

    void outcomeOfAnAnswer()
    {
        using K = SmsOutcome::Kind;
        using V = ModemVerdict;
        QCOMPARE(SmsOutcome::fromAnswer({V::Sent, "+CMGS: 7"}), (SmsOutcome{K::Sent, "+CMGS: 7"}));
        QCOMPARE(SmsOutcome::fromAnswer({V::Refused, "ERROR"}), (SmsOutcome{K::Refused, "ERROR"}));
        QCOMPARE(SmsOutcome::fromAnswer({V::Silent, {}}).kind, K::Silent);
        QCOMPARE(SmsOutcome::fromAnswer({V::NoPrompt, {}}).kind, K::NoPrompt);
        QCOMPARE(SmsOutcome::fromAnswer({V::Prompted, {}}).kind, K::Unconfirmed);
        QCOMPARE(SmsOutcome::fromAnswer({V::Unconfirmed, {}}).kind, K::Unconfirmed);
    }

    // A number typed in the manual window: eight digits by value, and safe to quote.
    void typedNumber_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("taken");
        QTest::newRow("lowest") << "10000000" << true;
        QTest::newRow("highest") << "99999999" << true;
        QTest::newRow("exponent form") << "1.5E7" << true;
        QTest::newRow("seven digits") << "1234567" << false;
        QTest::newRow("leading zero") << "01234567" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("seven digits and a blank") << "123 4567" << false;
        QTest::newRow("letters") << "ABCDEFGH" << false;
        QTest::newRow("too large for a double") << "9D999999" << false;
        QTest::newRow("exponent and a quote") << "1E7\"" << false;
        QTest::newRow("fraction, exponent and a quote") << "1.5E7\"" << false;
        QTest::newRow("exponent and a control character") << "1E7\x01" << false;
    }

    // Only a number that passes redirects the alarms; one that fails leaves the number in force.
    void typedNumber()
    {
        QFETCH(QString, number);
        QFETCH(bool, taken);
        OutgoingSms sms{"91234567", "alarm"};
        QCOMPARE(sms.takeTyped(number, "typed"), taken);
        QCOMPARE(sms.SmsNumber, taken ? number : "91234567");
        QCOMPARE(sms.SmsText, taken ? "typed" : "alarm");
        sms.manualWindowClosed("91234567");
        QCOMPARE(sms.SmsNumber, "91234567");
    }
};

QTEST_GUILESS_MAIN(SmsRulesTest)
#include "tst_smsrules.moc"
