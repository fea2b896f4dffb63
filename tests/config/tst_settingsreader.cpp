#include "config/SettingsReader.h"
#include "config/SettingsStore.h"
#include "support/Row.h"

#include <QBuffer>
#include <QtTest>

using namespace orva;

namespace {

SettingsStore read(const QByteArray& bytes)
{
    SettingsStore store;
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    readSettings(buffer, store);
    return store;
}

// Every field that differs from a fresh store, as "A port=..." lines.
QStringList changes(const SettingsStore& store)
{
    const SettingsStore fresh;
    const char* names[] = {"port", "settings", "length"};
    QStringList changed;
    for (int slot = 0; slot < kSlotCount; ++slot)
        for (int f = 0; f < kFieldCount; ++f) {
            const auto field = static_cast<Field>(f);
            if (store.text(slot, field) != fresh.text(slot, field))
                changed << QStringLiteral("%1 %2=%3")
                               .arg(QChar(u'A' + slot), names[f], store.text(slot, field));
        }
    return changed;
}

} // namespace

class SettingsReaderTest : public QObject {
    Q_OBJECT

private slots:
    void initialTexts()
    {
        const SettingsStore store;
        QCOMPARE(store.text(kSlotA, Field::Port), "Text1");
        QCOMPARE(store.text(kSlotA, Field::LineSettings), "Text7");
        QCOMPARE(store.text(kSlotB, Field::Length), "Text8");
        QCOMPARE(store.text(kSlotC, Field::Port), "Text1");
        QCOMPARE(store.text(kSlotC, Field::LineSettings), "");
        QCOMPARE(store.text(3, Field::Length), "Text8");
    }

    void reads_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected");
        test::row("two keys in a line", QByteArray("PORT A:1 PORT B:2"),
                  QStringList{"A port=1 PORT B:2", "B port=2"});
        test::row("key inside a word", QByteArray("REPORT B:7"), QStringList{"B port=7"});
        test::row("other case", QByteArray("port a:3"), QStringList{});
        test::row("key ends the line", QByteArray("LENGTH B:"), QStringList{"B length="});
        test::row("cut at 20", QByteArray("HP:0123456789ABCDEFGHIJK"),
                  QStringList{"C port=0123456789ABCDEFGHIJ"});
        test::row("blank kept", QByteArray("HP: 91234567\r\n"), QStringList{"C port= 91234567"});
        test::row("empty file", QByteArray(), QStringList{});
        test::row("empty value replaces earlier one", QByteArray("PORT B:5\r\nPORT B:\r\n"),
                  QStringList{"B port="});
        test::row("last line wins", QByteArray("PORT B:5\r\nPORT B:6\r\n"),
                  QStringList{"B port=6"});
        test::row("first occurrence in a line", QByteArray("PORT B:5 PORT B:6"),
                  QStringList{"B port=5 PORT B:6"});
        test::row("LF alone is one line", QByteArray("PORT A:1\nPORT B:2\nPORT A:9\n"),
                  QStringList{"A port=1\nPORT B:2\nPORT A:9\n", "B port=2\nPORT A:9\n"});
        test::row("CR alone ends a line", QByteArray("PORT B:1\rPORT B:2\r"),
                  QStringList{"B port=2"});
        test::row("LF after CR and a second LF begin the next line",
                  QByteArray("PORT B:1\r\n\nHP:5"), QStringList{"B port=1", "C port=5"});
        test::row("no line end at all", QByteArray("HP:123"), QStringList{"C port=123"});
        test::row("only CRs", QByteArray(1000, '\r'), QStringList{});
        test::row("all twelve in one line",
                  QByteArray("PORT A:a SETTINGS A:b LENGTH A:c PORT B:d SETTINGS B:e LENGTH B:f "
                             "HP:g SETTINGS C:h LENGTH C:i PORT D:j SETTINGS D:k LENGTH D:l"),
                  QStringList{"A port=a SETTINGS A:b LENGT",
                              "A settings=b LENGTH A:c PORT B:", "A length=c PORT B:d SETTINGS ",
                              "B port=d SETTINGS B:e LENGT", "B settings=e LENGTH B:f HP:g SE",
                              "B length=f HP:g SETTINGS C:h ", "C port=g SETTINGS C:h LENGT",
                              "C settings=h LENGTH C:i PORT D:", "C length=i PORT D:j SETTINGS ",
                              "D port=j SETTINGS D:k LENGT", "D settings=k LENGTH D:l",
                              "D length=l"});
        test::row("NUL and high bytes", QByteArray("HP:\x00\xff\x80x\r\n", 9),
                  QStringList{QString::fromLatin1("C port=\0\xff\x80x", 11)});
    }

    void reads()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        QCOMPARE(changes(read(file)), expected);
    }

    void veryLongLine()
    {
        const QByteArray line = QByteArray(5 * 1024 * 1024, 'x') + "HP:12345678\r\n";
        QCOMPARE(changes(read(line)), QStringList{"C port=12345678"});
    }

    void everyByteValue()
    {
        QByteArray bytes;
        for (int round = 0; round < 64; ++round)
            for (int b = 0; b < 256; ++b)
                bytes.append(static_cast<char>(b));
        read(bytes + "PORT D:ok"); // must not crash
        QCOMPARE(read(bytes + "\rPORT D:ok").text(3, Field::Port), "ok");
    }
};

QTEST_GUILESS_MAIN(SettingsReaderTest)
#include "tst_settingsreader.moc"
