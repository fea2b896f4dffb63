#include "messaging/ModemReply.h"
#include "messaging/ModemStatus.h"
#include "messaging/NetworkRegistration.h"
#include "messaging/OutgoingSms.h"
#include "messaging/SignalLevel.h"
#include "messaging/SmsOutcome.h"
#include "support/Row.h"

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
        test::row("nothing", "", V::Silent, "");
        test::row("prompt", "\r\nOK\r\n\r\n> ", V::Prompted, "");
        test::row("bare prompt", "\r\nOK\r\n\r\n>", V::Prompted, "");
        test::row("prompt first", "> ", V::Prompted, "");
        test::row("echo and prompt", kEcho + "\r\n> ", V::Prompted, "");
        test::row("prompt after CR alone", "\r\nOK\r> ", V::Prompted, "");
        test::row("ERROR", "\r\nOK\r\n\r\nERROR\r\n", V::Refused, "ERROR");
        test::row("ERROR without line ends", "ERROR", V::Refused, "ERROR");
        test::row("CMS ERROR", "\r\n+CMS ERROR: 304\r\n", V::Refused, "+CMS ERROR: 304");
        test::row("CME ERROR", "\r\n+CME ERROR: 10\r\n", V::Refused, "+CME ERROR: 10");
        test::row("prompt beats ERROR", "\r\nERROR\r\n> ", V::Prompted, "");
        test::row("> inside an echoed number",
                  "at+cmgf = 1\r\r\nOK\r\nAT+CMGS=\"9123>567\"\r\r\nERROR\r\n", V::Refused,
                  "ERROR");
        test::row("echo alone", kEcho, V::NoPrompt, "");
        test::row("only OK", "\r\nOK\r\n", V::NoPrompt, "");
        test::row("RING storm", QString("\r\nRING\r\n").repeated(20), V::NoPrompt, "");
        test::row("garbage of a wrong speed", QString::fromLatin1("\xf8\x80\xfe\x1e>\x80\xf0"),
                  V::NoPrompt, "");
        test::row("stray byte", "x", V::NoPrompt, "");
        test::row("NUL bytes", QString(3, QChar(0)), V::NoPrompt, "");
        test::row("ERROR inside a word", "NOERRORS", V::NoPrompt, "");
        test::row("1 MiB of noise", QString(1024 * 1024, u'z'), V::NoPrompt, "");
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
        test::row("nothing yet", "hi", "", V::Unconfirmed, "");
        test::row("CMGS OK", "hi", "\r\n+CMGS: 12\r\n\r\nOK\r\n", V::Sent, "+CMGS: 12");
        test::row("CMGS before its OK", "hi", "\r\n+CMGS: 12\r\n", V::Sent, "+CMGS: 12");
        test::row("echo, then CMGS", "hi", "hi\x1a\r\n+CMGS: 4\r\n\r\nOK\r\n", V::Sent, "+CMGS: 4");
        test::row("echo alone", "hi", "hi\x1a", V::Unconfirmed, "");
        test::row("only OK", "hi", "\r\nOK\r\n", V::Unconfirmed, "");
        test::row("CMS ERROR", "hi", "\r\n+CMS ERROR: 500\r\n", V::Refused, "+CMS ERROR: 500");
        test::row("CMS ERROR 38 after the echo", "hi", "hi\x1a\r\n+CMS ERROR: 38\r\n", V::Refused,
                  "+CMS ERROR: 38");
        test::row("CME ERROR", "hi", "\r\n+CME ERROR: 11\r\n", V::Refused, "+CME ERROR: 11");
        test::row("ERROR", "hi", "\r\nERROR\r\n", V::Refused, "ERROR");
        test::row("echoed body naming an error", ".PUMP 3 ERROR",
                  ".PUMP 3 ERROR\x1a\r\n+CMGS: 3\r\n\r\nOK\r\n", V::Sent, "+CMGS: 3");
        test::row("echoed body that reads ERROR", "ERROR", "ERROR\x1a\r\n+CMGS: 3\r\n\r\nOK\r\n",
                  V::Sent, "+CMGS: 3");
        test::row("echoed ERROR body before a late CMGS", "ERROR", "ERROR\x1a", V::Unconfirmed, "");
        test::row("echoed ERROR body, then refused", "ERROR", "ERROR\x1a\r\nERROR\r\n", V::Refused,
                  "ERROR");
        test::row("echo of a body of several lines", "a\rERROR\rb",
                  "a\r\n> ERROR\r\n> b\x1a\r\n+CMGS: 9\r\n", V::Sent, "+CMGS: 9");
        // Each body below, judged line by line without its echo skipped, would read as a result.
        test::row("echoed ERROR body without Ctrl-Z, then CMGS", "ERROR",
                  "\r\nERROR\r\n+CMGS: 12\r\n\r\nOK\r\n", V::Sent, "+CMGS: 12");
        test::row("echoed CMS ERROR body with Ctrl-Z, then CMGS", "+CMS ERROR: 500",
                  "\r\n+CMS ERROR: 500\x1a\r\n+CMGS: 12\r\n\r\nOK\r\n", V::Sent, "+CMGS: 12");
        test::row("echoed CMGS body with Ctrl-Z, then refused", "+CMGS: 1",
                  "+CMGS: 1\x1a\r\n+CMS ERROR: 38\r\n", V::Refused, "+CMS ERROR: 38");
        test::row("echoed CMGS body without Ctrl-Z, then refused", "+CMGS: 1",
                  "\r\n+CMGS: 1\r\n\r\nERROR\r\n", V::Refused, "ERROR");
        test::row("echo of several lines, the first ERROR, no Ctrl-Z", "ERROR\rpump 3",
                  "ERROR\r\n> pump 3\r\n+CMGS: 9\r\n", V::Sent, "+CMGS: 9");
        test::row("unsolicited line before CMGS", "hi", "\r\n+CMTI: \"SM\",3\r\n\r\n+CMGS: 7\r\n",
                  V::Sent, "+CMGS: 7");
    }

    void bodyReply()
    {
        QFETCH(QString, body);
        QFETCH(QString, reply);
        QFETCH(ModemVerdict, verdict);
        QFETCH(QString, resultLine);
        QCOMPARE(judgeBodyReply(reply, body), (ModemAnswer{verdict, resultLine}));
    }

    // The answers to the status queries of orva --check, as modems give them; the SIM's: the
    // readiness rules' test.
    void statusQueries_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("finalResult");
        QTest::addColumn<QString>("described");
        test::row("no signal", "\r\n+CSQ: 0,99\r\n\r\nOK\r\n", "OK", "-113 dBm (RSSI), none");
        test::row("marginal", "\r\n+CSQ: 9,99\r\n\r\nOK\r\n", "OK", "-95 dBm (RSSI), marginal");
        test::row("ok", "\r\n+CSQ: 10,0\r\n\r\nOK\r\n", "OK", "-93 dBm (RSSI), ok");
        test::row("good", "\r\n+CSQ: 19,0\r\n\r\nOK\r\n", "OK", "-75 dBm (RSSI), good");
        test::row("excellent", "\r\n+CSQ: 31,0\r\n\r\nOK\r\n", "OK", "-51 dBm (RSSI), excellent");
        test::row("signal unknown", "\r\n+CSQ: 99,99\r\n\r\nOK\r\n", "OK", "unknown");
        test::row("home", "\r\n+CREG: 0,1\r\n\r\nOK\r\n", "OK", "registered, home network");
        test::row("roaming", "\r\n+CREG: 0,5\r\n\r\nOK\r\n", "OK", "registered, roaming");
        test::row("searching", "\r\n+CREG: 0,2\r\n\r\nOK\r\n", "OK", "searching");
        test::row("denied", "\r\n+CREG: 0,3\r\n\r\nOK\r\n", "OK", "registration denied");
        test::row("unsolicited form", "\r\n+CREG: 0\r\n\r\nOK\r\n", "OK", "not registered");
        test::row("echo, answer pending", "AT+CSQ\r\r\n+CSQ: 20,99\r\n", "", "");
        // An answer that came byte by byte is judged once its final result line has ended (whole:
        // the SIM's).
        test::row("error code half come", "\r\n+CME ERROR: 1", "", "");
        test::row("OK not yet ended", "\r\n+CSQ: 20,99\r\n\r\nOK", "", "");
        // An unsolicited report of the same name may come before the answer.
        test::row("registration report first", "\r\n+CREG: 1\r\n\r\n+CREG: 0,1\r\n\r\nOK\r\n", "OK",
                  "registered, home network");
        test::row("signal after an unsolicited one",
                  "\r\n+CSQ: 2,99\r\n\r\n+CSQ: 20,99\r\n\r\nOK\r\n", "OK",
                  "-73 dBm (RSSI), excellent");
    }

    void statusQueries()
    {
        QFETCH(QString, reply);
        QFETCH(QString, finalResult);
        QFETCH(QString, described);
        QCOMPARE(orva::finalResult(reply).value_or(QString()), finalResult);
        if (described.isEmpty())
            return;
        const QString actual =
            reply.contains("+CSQ")
                ? signalQuality(signalLevel(reply, {}))
                : networkVerdict({registrationState(reply, Domain::CircuitSwitched)}).text;
        QCOMPARE(actual, described);
    }

    void entry_data()
    {
        QTest::addColumn<SmsOutcome>("outcome");
        QTest::addColumn<QString>("entry");
        using K = SmsOutcome::Kind;
        const QString notSent = ", SMS not sent: hi 91234567";
        test::row("sent", SmsOutcome{K::Sent, "+CMGS: 7"}, "hi 91234567");
        test::row("silent", SmsOutcome{K::Silent, {}}, "No Respond from Modem" + notSent);
        test::row("invalid number", SmsOutcome{K::InvalidNumber, {}}, "Invalid Number" + notSent);
        test::row("port failure", SmsOutcome{K::PortFailure, "port A: gone"},
                  "Port Error" + notSent);
        test::row("refused", SmsOutcome{K::Refused, "+CMS ERROR: 500"},
                  "Modem Error (+CMS ERROR: 500)" + notSent);
        test::row("no prompt", SmsOutcome{K::NoPrompt, {}}, "Modem Error (no prompt)" + notSent);
        test::row("unconfirmed", SmsOutcome{K::Unconfirmed, {}},
                  "Modem Error (no confirmation)" + notSent);
        test::row("stopped", SmsOutcome{K::Stopped, {}}, "ORVA Stopped" + notSent);
        // At most 80 characters of the modem's words are quoted, control characters visibly.
        test::row("refused at length", SmsOutcome{K::Refused, "+CMS ERROR: " + QString(1000, u'9')},
                  "Modem Error (+CMS ERROR: " + QString(68, u'9') + ")" + notSent);
        test::row("refused with escapes", SmsOutcome{K::Refused, "ERROR\x1b[2J\x07"},
                  "Modem Error (ERROR\\x1b[2J\\x07)" + notSent);
        test::row("refused with 8-bit controls",
                  SmsOutcome{K::Refused, QString::fromLatin1("ERROR\x9b"
                                                             "2J\x85\xe9")},
                  QString::fromLatin1("Modem Error (ERROR\\x9b2J\\x85\xe9)") + notSent);
    }

    void entry()
    {
        QFETCH(SmsOutcome, outcome);
        QFETCH(QString, entry);
        QCOMPARE(smsEntry(outcome, "hi", "91234567"), entry);
        // The status line keeps the words operators know for a silent modem.
        QCOMPARE(smsStatusLine(outcome, "hi", "91234567"),
                 outcome.kind == SmsOutcome::Kind::Silent ? "No Respond from Modem" : entry);
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
        test::row("lowest", "10000000", true);
        test::row("highest", "99999999", true);
        test::row("above the highest", "1E8", false);
        test::row("exponent form", "1.5E7", true);
        test::row("seven digits", "1234567", false);
        test::row("leading zero", "01234567", false);
        test::row("empty", "", false);
        test::row("seven digits and a blank", "123 4567", false);
        test::row("letters", "ABCDEFGH", false);
        test::row("too large for a double", "9D999999", false);
        test::row("exponent and a quote", "1E7\"", false);
        test::row("fraction, exponent and a quote", "1.5E7\"", false);
        test::row("exponent and a control character", "1E7\x01", false);
    }

    // Only a number that passes redirects the alarms; one that fails leaves the number in force.
    void typedNumber()
    {
        QFETCH(QString, number);
        QFETCH(bool, taken);
        OutgoingSms sms{"91234567", "alarm"};
        QCOMPARE(sms.takeTyped(number, "typed"), taken);
        QCOMPARE(sms.number, taken ? number : "91234567");
        QCOMPARE(sms.text, taken ? "typed" : "alarm");
        sms.manualWindowClosed("91234567");
        QCOMPARE(sms.number, "91234567");
    }
};

QTEST_GUILESS_MAIN(SmsRulesTest)
#include "tst_smsrules.moc"
