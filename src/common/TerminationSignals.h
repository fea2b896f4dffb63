#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace orva {

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal delivered by the event loop: the handler
// only writes a byte to a pipe that the event loop watches. Where the system has no such
// signals it never fires.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    TerminationSignals();
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    void drain();

    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace orva
