#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace orva::test {

// A file's bytes; none when it cannot be read.
QByteArray readFile(const QString& path);

// A temporary home folder with an ORVA data folder in it, made HOME for as long as it lives.
class TestHome {
public:
    TestHome();
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    QString path() const { return dir_.path(); }
    QString dataFolder() const { return dir_.path() + QStringLiteral("/ORVA"); }
    QString linkPath(int port) const { return dataFolder() + QStringLiteral("/COM%1").arg(port); }

    void writeSettings(const QByteArray& bytes) const;
    // A settings file with CR LF line ends for the modem on COM1 and the alarm port on COM2.
    void writeWorkingSettings(const QString& handphone = QStringLiteral("91234567"),
                              const QString& lengthB = QStringLiteral("5"),
                              const QString& moreLines = {}) const;

    // The entries of a day's log, today's unless told, each without its date and time.
    QStringList logTexts(QDate day = QDate::currentDate()) const;
    QByteArray logBytes(QDate day = QDate::currentDate()) const;

private:
    QTemporaryDir dir_;
    QByteArray oldHome_;
};

} // namespace orva::test
