#include "app/Orva.h"
#include "common/TerminationSignals.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// The process ends at once: no window's own closing step runs. The program has closed its
// serial lines just before.
[[noreturn]] void endProcessNow(int exitStatus)
{
    std::fflush(nullptr);
    std::_Exit(exitStatus);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORVA"));
    orva::TerminationSignals terminationSignals;
    orva::Orva program(endProcessNow);
    QObject::connect(&terminationSignals, &orva::TerminationSignals::terminationRequested, &program,
                     &orva::Orva::requestTermination);
    program.startUp();
    program.mainWindow().show();
    return QApplication::exec();
}
