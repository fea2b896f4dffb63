#pragma once

#include "WatchSettings.h"
#include "common/Clock.h"

#include <QString>
#include <chrono>
#include <optional>

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
    // The end of the latest silence is to be told, with how long it lasted: its alert went.
    void endToBeTold() { toldHours_ = endedHours_; }
    [[nodiscard]] QString endText(const QString& computer) const;

private:
    Clock clock_;
    std::optional<double> hours_;
    std::chrono::milliseconds limit_{0};
    quint64 received_ = 0;
    Clock::Monotonic sinceByte_;
    bool silent_ = false;
    double endedHours_ = 0; // how long the latest silence lasted
    double toldHours_ = 0;  // how long the silence lasted whose end is to be told
};

} // namespace orva
