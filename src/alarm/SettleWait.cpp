#include "SettleWait.h"

#include <QEventLoop>
#include <QTimer>

namespace orva {

void waitWhileSettling(std::chrono::milliseconds wait)
{
    QEventLoop loop;
    QTimer deadline;
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    deadline.start(wait);
    loop.exec();
}

} // namespace orva
