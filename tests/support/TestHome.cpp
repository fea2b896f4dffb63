#include "TestHome.h"

#include "config/SettingsFile.h"
#include "eventlog/LogEntry.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QtTest>

namespace orva::test {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TestHome::TestHome()
    : oldHome_(qgetenv("HOME"))
{
    QDir(dir_.path()).mkdir(QStringLiteral("ORVA"));
    qputenv("HOME", dir_.path().toLocal8Bit());
}

TestHome::~TestHome()
{
    qputenv("HOME", oldHome_);
}

void TestHome::writeSettings(const QByteArray& bytes) const
{
    QFile file(settingsFilePath()); // this home is HOME while it lives
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void TestHome::writeWorkingSettings(const QString& handphone, const QString& lengthB,
                                    const QString& moreLines) const
{
    writeSettings(QStringLiteral("PORT A:1\r\nSETTINGS A:9600,n,8,1\r\nLENGTH A:0\r\n"
                                 "PORT B:2\r\nSETTINGS B:9600,n,8,1\r\nLENGTH B:%1\r\nHP:%2\r\n%3")
                      .arg(lengthB, handphone, moreLines)
                      .toLatin1());
}

QByteArray TestHome::logBytes(QDate day) const
{
    return readFile(dataFolder() + u'/' + logFileName(day));
}

QStringList TestHome::logTexts(QDate day) const
{
    QStringList texts;
    const QByteArray bytes = logBytes(day);
    const QByteArray end = kLogEntryEnd;
    for (qsizetype from = 0, at = 0; (at = bytes.indexOf(end, from)) >= 0; from = at + end.size())
        texts << QString::fromLatin1(bytes.mid(from + 18, at - from - 18)); // after the time
    return texts;
}

} // namespace orva::test
