#include "ChildProcess.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <csignal>

namespace orva::test {

QString binary(const QString& name)
{
    return QStringLiteral(ORVA_BIN_DIR "/") + name;
}

Process::Process(const QString& program, const QStringList& arguments, const QString& home,
                 const QMap<QString, QString>& environment)
{
    QProcessEnvironment inherited = QProcessEnvironment::systemEnvironment();
    if (!home.isEmpty())
        inherited.insert(QStringLiteral("HOME"), home);
    for (auto entry = environment.begin(); entry != environment.end(); ++entry)
        inherited.insert(entry.key(), entry.value());
    process_.setProcessEnvironment(inherited);
    process_.start(program, arguments);
    process_.waitForStarted();
}

Process::~Process()
{
    terminate();
}

bool Process::waitForError(const QString& text, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!standardError().contains(text)) {
        if (deadline.hasExpired() || process_.state() == QProcess::NotRunning)
            return false;
        process_.waitForReadyRead(50);
    }
    return true;
}

int Process::terminate(int timeoutMs)
{
    if (process_.state() == QProcess::NotRunning)
        return process_.exitCode();
    signal(SIGTERM);
    if (!process_.waitForFinished(timeoutMs)) {
        process_.kill();
        process_.waitForFinished();
        return -1;
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

void Process::signal(int number) const
{
    if (process_.processId() > 0)
        ::kill(static_cast<pid_t>(process_.processId()), number);
}

QString Process::standardOutput()
{
    output_ += process_.readAllStandardOutput();
    return QString::fromLatin1(output_);
}

QString Process::standardError()
{
    error_ += process_.readAllStandardError();
    return QString::fromLatin1(error_);
}

} // namespace orva::test
