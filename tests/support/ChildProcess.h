#pragma once

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace orva::test {

// A bundled simulator or the orva program itself, run as a child process for one test and
// ended with SIGTERM when the test is done with it.
class Process {
public:
    // home becomes HOME, and the environment's other entries are added to the test's.
    Process(const QString& program, const QStringList& arguments, const QString& home = {},
            const QMap<QString, QString>& environment = {});
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Waits until standard error holds the text; false after the timeout.
    bool waitForError(const QString& text, int timeoutMs = 5000);
    // Ends it with SIGTERM and returns its exit status, or -1 when it did not end.
    int terminate(int timeoutMs = 5000);
    void signal(int number) const;

    QString standardOutput();
    QString standardError();
    QProcess& process() { return process_; }

private:
    QProcess process_;
    QByteArray error_;
    QByteArray output_;
};

// A program built beside the tests.
QString binary(const QString& name);

} // namespace orva::test
