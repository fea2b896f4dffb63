#pragma once

#include <QObject>
#include <memory>

class QSocketNotifier;

namespace orva {

// Turns SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2 and SIGALRM into a Qt signal
// delivered by the event loop: the handler only notes the request and writes a byte to a pipe
// that the event loop watches. SIGPIPE is ignored. Code that
// blocks the event loop asks requested() instead. Where the system has no such signals it
// never fires. One lives at a time; the handlers in place before it come back after it.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    TerminationSignals();
    ~TerminationSignals() override;

    // Whether a termination signal has arrived since the latest of these objects was made.
    [[nodiscard]] static bool requested();

signals:
    void terminationRequested();

private:
    void drain();

    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace orva
