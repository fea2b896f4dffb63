#include "messaging/ModemReadiness.h"
#include "messaging/ModemStatus.h"
#include "support/Row.h"

#include <QtTest>

using namespace orva;

Q_DECLARE_METATYPE(std::optional<QString>)
Q_DECLARE_METATYPE(ModemHealth)

namespace {

using Answer = std::optional<QString>;

// Captured answers of a modem that serves: the echo, the information line, the result.
const QString kAt = "AT\r\r\nOK\r\n";
const QString kSimReady = "AT+CPIN?\r\r\n+CPIN: READY\r\n\r\nOK\r\n";
const QString kHome = "AT+CREG?\r\r\n+CREG: 0,1\r\n\r\nOK\r\n";
const QString kSignal = "AT+CSQ\r\r\n+CSQ: 20,99\r\n\r\nOK\r\n";
const QString kTextMode = "AT+CMGF=1\r\r\nOK\r\n";

// A module's answer as captured-answers.txt gives it: its lines in order, then OK; no line at
// all reads as ERROR.
QString capturedReply(const QStringList& lines)
{
    return lines.isEmpty() ? "\r\nERROR\r\n" : "\r\n" + lines.join("\r\n\r\n") + "\r\n\r\nOK\r\n";
}

// The blocks of captured-answers.txt, each its "key: value" lines, a key's values in order.
QList<QMap<QString, QStringList>> capturedBlocks()
{
    QFile file(QFINDTESTDATA("captured-answers.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QList<QMap<QString, QStringList>> blocks;
    for (const QString& block : QString::fromUtf8(file.readAll()).split("\n\n")) {
        QMap<QString, QStringList> fields;
        for (const QString& line : block.split('\n', Qt::SkipEmptyParts))
            if (!line.startsWith('#'))
                fields[line.section(": ", 0, 0)] << line.section(": ", 1);
        if (!fields.isEmpty())
            blocks << fields;
    }
    return blocks;
}

} // namespace

// What the modem's answers say: why it cannot send between alarms, and what the operator's
// check finds.
class ModemReadinessTest : public QObject {
    Q_OBJECT

private slots:
    void modemTrouble_data()
    {
        QTest::addColumn<Answer>("at");
        QTest::addColumn<Answer>("sim");
        QTest::addColumn<Answer>("registration");
        QTest::addColumn<Answer>("signal");
        QTest::addColumn<Answer>("trouble");
        const Answer none;
        const Answer at = kAt;
        const Answer ready = kSimReady;
        const Answer home = kHome;
        const Answer signal = kSignal;
        const Answer noSignal = "\r\n+CSQ: 99,99\r\n\r\nOK\r\n";
        const Answer searching = "\r\n+CREG: 0,2\r\n\r\nOK\r\n";
        test::row("ready", at, ready, home, signal, none);
        test::row("roaming, signal unknown", at, ready, Answer("\r\n+CREG: 0,5\r\n\r\nOK\r\n"),
                  noSignal, none);
        test::row("silent", none, none, none, none, Answer("no answer"));
        test::row("PIN", at, Answer("\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n"), home, signal,
                  Answer("SIM not ready (PIN needed)"));
        test::row("PUK", at, Answer("\r\n+CPIN: SIM PUK\r\n\r\nOK\r\n"), home, signal,
                  Answer("SIM not ready (PUK needed)"));
        test::row("no SIM", at, Answer("\r\n+CME ERROR: 10\r\n"), home, signal,
                  Answer("SIM not ready (not inserted)"));
        test::row("no answer to the SIM question", at, none, home, signal,
                  Answer("no answer to AT+CPIN?"));
        test::row("no answer to the network question", at, ready, none, none,
                  Answer("no answer to AT+CREG?"));
        test::row("no answer to the signal question", at, ready, searching, none,
                  Answer("no answer to AT+CSQ"));
        test::row("searching without signal", at, ready, searching, noSignal, Answer("no signal"));
        test::row("searching", at, ready, searching, signal, Answer("not registered (searching)"));
        test::row("denied", at, ready, Answer("\r\n+CREG: 0,3\r\n\r\nOK\r\n"), signal,
                  Answer("registration denied"));
        test::row("unsolicited report first", at, ready,
                  Answer("\r\n+CREG: 1\r\n\r\n+CREG: 0,0\r\n\r\nOK\r\n"), signal,
                  Answer("not registered"));
    }

    void modemTrouble()
    {
        QFETCH(std::optional<QString>, at);
        QFETCH(std::optional<QString>, sim);
        QFETCH(std::optional<QString>, registration);
        QFETCH(std::optional<QString>, signal);
        QFETCH(std::optional<QString>, trouble);
        QCOMPARE(orva::modemTrouble(
                     {.at = at, .sim = sim, .registration = registration, .signal = signal}),
                 trouble);
    }

    // Answers real modules gave, and the rules no published answer shows: the network the
    // operator's check names, the trouble the watch finds, the signal and its measure.
    void capturedAnswers_data()
    {
        QTest::addColumn<ModemHealth>("health");
        QTest::addColumn<QString>("network");
        QTest::addColumn<Answer>("trouble");
        QTest::addColumn<QString>("signal");
        const QList<QMap<QString, QStringList>> blocks = capturedBlocks();
        QVERIFY(blocks.size() > 30);
        for (const auto& block : blocks) {
            ModemHealth health{.at = kAt, .sim = kSimReady};
            for (const ModemQuestion& question : kModemQuestions)
                if (!(health.*question.answer))
                    health.*question.answer = capturedReply(block.value(question.command));
            const QString trouble = block.value("trouble").value(0);
            QTest::newRow(qPrintable(block.value("module", block.value("rule")).value(0)))
                << health << block.value("network").value(0)
                << (trouble == "none" ? Answer() : Answer(trouble))
                << block.value("signal").value(0);
        }
    }

    void capturedAnswers()
    {
        QFETCH(ModemHealth, health);
        QTEST(networkVerdict(registrationStates(health)).text, "network");
        QTEST(orva::modemTrouble(health), "trouble");
        QTEST(signalQuality(orva::signalLevel(health)), "signal");
    }

    void signalLevel()
    {
        using enum SignalLevel::Measure;
        QCOMPARE(orva::signalLevel(kSignal, {}), (SignalLevel{-73, Rssi}));
        QCOMPARE(orva::signalLevel(u"\r\n+CSQ: 0,99\r\n\r\nOK\r\n", {}), (SignalLevel{-113, Rssi}));
        QCOMPARE(orva::signalLevel(u"\r\n+CSQ: 99,99\r\n\r\nOK\r\n", {}), std::nullopt);
        QCOMPARE(orva::signalLevel(u"\r\nERROR\r\n", {}), std::nullopt);
    }

    // What the SIM's answer says: its final result, the state the operator's check describes,
    // and whether the SIM is ready to send.
    void simAnswer_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("finalResult");
        QTest::addColumn<QString>("described");
        QTest::addColumn<bool>("ready");
        test::row("ready", kSimReady, "OK", "ready", true);
        test::row("ready, without the echo", "\r\n+CPIN: READY\r\n\r\nOK\r\n", "OK", "ready", true);
        test::row("PIN", "\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n", "OK", "PIN needed", false);
        test::row("PUK", "\r\n+CPIN: SIM PUK\r\n\r\nOK\r\n", "OK", "PUK needed", false);
        test::row("no SIM", "\r\n+CME ERROR: 10\r\n", "+CME ERROR: 10", "not inserted", false);
        test::row("no SIM, the result line just ended", "\r\n+CME ERROR: 10\r", "+CME ERROR: 10",
                  "not inserted", false);
        test::row("SIM busy", "\r\n+CME ERROR: 14\r\n", "+CME ERROR: 14",
                  "unknown (+CME ERROR: 14)", false);
        test::row("ready, then a PIN asked for", "\r\n+CPIN: READY\r\n+CPIN: SIM PIN\r\n\r\nOK\r\n",
                  "OK", "PIN needed", false);
        test::row("a registration report first", "\r\n+CREG: 1\r\n\r\n+CPIN: READY\r\n\r\nOK\r\n",
                  "OK", "ready", true);
        test::row("ready after the result", "\r\nOK\r\n+CPIN: READY\r\n", "OK",
                  "unknown (OK +CPIN: READY)", false);
        test::row("lower case", "\r\n+CPIN: ready\r\n\r\nOK\r\n", "OK", "unknown (+CPIN: ready OK)",
                  false);
        test::row("nothing", "", "", "unknown ()", false);
        test::row("an answer that floods",
                  "\r\n+CPIN: " + QString(200, u'Z') + "\x1b[2J\r\n\r\nOK\r\n", "OK",
                  "unknown (+CPIN: " + QString(73, u'Z') + ")", false);
        test::row("an answer with escapes", "\r\n+CPIN: \x1b[2J\r\n\r\nOK\r\n", "OK",
                  "unknown (+CPIN: \\x1b[2J OK)", false);
    }

    void simAnswer()
    {
        QFETCH(QString, reply);
        QTEST(orva::finalResult(reply).value_or(QString()), "finalResult");
        QTEST(simState(reply), "described");
        QTEST(orva::simReady(reply), "ready");
    }

    // What the operator's check finds, also with the troubles the modem simulator acts out for
    // the real program's check (its modems of today: the captured answers).
    void modemFindings_data()
    {
        QTest::addColumn<ModemHealth>("health");
        QTest::addColumn<QStringList>("findings");
        QTest::addColumn<Answer>("notReady");
        const Answer none;
        const Answer refused = "\r\nERROR\r\n";
        const Answer noSignal = "\r\n+CSQ: 99,99\r\n\r\nOK\r\n";
        const auto reply = [](const QString& line) {
            return Answer("\r\n" + line + "\r\n\r\nOK\r\n");
        };
        const auto checked = [](Answer at, Answer sim, Answer registration, Answer textMode,
                                Answer signal = kSignal) {
            return ModemHealth{.at = at,
                               .sim = sim,
                               .registration = registration,
                               .signal = signal,
                               .textMode = textMode};
        };
        const auto answers = [](const QString& sim, const QString& creg, const QString& network,
                                const QString& text, const QString& csq = "\"+CSQ: 20,99\"",
                                const QString& signal = "-73 dBm (RSSI), excellent") {
            return QStringList{
                "Modem: answers AT",     "SIM: " + sim,          "AT+CREG?: " + creg,
                "AT+CSQ: " + csq,        "AT+CGREG?: no answer", "AT+CEREG?: no answer",
                "AT+C5GREG?: no answer", "AT+CESQ: no answer",   "Signal: " + signal,
                "Network: " + network,   "Text mode: " + text};
        };
        const QString home = "\"+CREG: 0,1\"";
        const QString homeNetwork = "registered, home network";
        test::row("ready", checked(kAt, kSimReady, kHome, kTextMode),
                  answers("ready", home, homeNetwork, "accepted"), none);
        test::row("silent", checked(none, none, none, none), QStringList{"Modem: no answer to AT"},
                  Answer("the modem does not answer"));
        test::row("PIN", checked(kAt, reply("+CPIN: SIM PIN"), kHome, kTextMode),
                  answers("PIN needed", home, homeNetwork, "accepted"),
                  Answer("the SIM is not ready (PIN needed)"));
        test::row("searching", checked(kAt, kSimReady, reply("+CREG: 0,2"), kTextMode),
                  answers("ready", "\"+CREG: 0,2\"", "searching", "accepted"),
                  Answer("the modem is not on a network (searching)"));
        test::row("text mode refused", checked(kAt, kSimReady, kHome, refused),
                  answers("ready", home, homeNetwork, "refused"),
                  Answer("the modem refuses text mode"));
        test::row("no answer to text mode", checked(kAt, kSimReady, kHome, none),
                  answers("ready", home, homeNetwork, "refused"),
                  Answer("the modem refuses text mode"));
        test::row("the SIM first", checked(kAt, Answer("\r\n+CME ERROR: 10\r\n"), none, none),
                  answers("not inserted", "no answer", "not registered", "refused"),
                  Answer("the SIM is not ready (not inserted)"));
        test::row(
            "the domain's result when it has no information line",
            checked(kAt, kSimReady, Answer("\r\n+CME ERROR: 3\r\n"), kTextMode),
            answers("ready", "\"+CME ERROR: 3\" (not supported)", "not registered", "accepted"),
            Answer("the modem is not on a network (not registered)"));
        test::row("no signal", checked(kAt, kSimReady, reply("+CREG: 0,2"), kTextMode, noSignal),
                  answers("ready", "\"+CREG: 0,2\"", "searching", "accepted", "\"+CSQ: 99,99\"",
                          "unknown"),
                  Answer("the modem is not on a network (searching)"));
        test::row("registration report before the answer",
                  checked(kAt, kSimReady, Answer("\r\n+CREG: 1\r\n\r\n+CREG: 0,1\r\n\r\nOK\r\n"),
                          kTextMode),
                  answers("ready", home, homeNetwork, "accepted"), none);
    }

    void modemFindings()
    {
        QFETCH(ModemHealth, health);
        const ModemFindings findings = orva::modemFindings(health);
        QTEST(findings.lines, "findings");
        QTEST(findings.notReady, "notReady");
    }
};

QTEST_GUILESS_MAIN(ModemReadinessTest)
#include "tst_modemreadiness.moc"
