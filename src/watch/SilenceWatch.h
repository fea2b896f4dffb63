#pragma once

#include "WatchSettings.h"
#include "common/Clock.h"

#include <QString>
#include <chrono>

namespace orva {

// The alarm port's silence: found once when nothing came for too long, and its end once a byte
// comes again.
class SilenceWatch {
public:
    enum class Change { None, Silent, Active };

    explicit SilenceWatch(Clock clock);

    // Watches from now for the silence the settings ask for, with what the port received so far.
    void start(const WatchSettings& settings, quint64 received);
    // A look at what the port received in all.
    Change look(quint64 received);
    [[nodiscard]] QString entry() const;
    [[nodiscard]] QString alertText(const QString& computer) const;
    [[nodiscard]] QString endText(const QString& computer) const;

private:
    Clock clock_;
    std::optional<double> hours_;
    std::chrono::milliseconds limit_{0};
    quint64 received_ = 0;
    Clock::Monotonic sinceByte_;
    bool silent_ = false;
    double silentHours_ = 0; // how long the port was silent when it came back
};

} // namespace orva
