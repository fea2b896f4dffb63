#pragma once

#include "common/Clock.h"
#include "messaging/ModemQuestions.h"
#include "messaging/SmsTransaction.h"
#include "system/ServiceManager.h"

#include <chrono>

namespace orva {

// The program's waits and bounds and its clocks, each written here once and handed by
// constructor or parameter to the part that waits; tests pass shorter waits and clocks of
// their own the same way.
struct Timing {
    // The step of every wait of an SMS transaction.
    std::chrono::milliseconds modemWaitUnit{500};
    // A transaction's waits in steps: for the prompt, and more while it is late (5 s in service);
    // for the confirmation, and more while it is late (30 s); for the modem's reply to the ESC
    // that closes a prompt that came too late (1 s).
    int promptUnits = 3;
    int latePromptUnits = 10;
    int confirmationUnits = 5;
    int lateConfirmationUnits = 60;
    int escapeReplyUnits = 2;
    // How long written bytes may take to reach the device: at 1200 baud a line passes 600 bytes,
    // more than the commands and the longest text of a message.
    std::chrono::milliseconds outputBound = std::chrono::seconds(5);
    // How often a question to the modem looks for its answer (and a transaction for the reply
    // to its ESC), and how much of its deadline must be left for a question to begin: one begun
    // closer would most likely be answered after it, where the answer could meet the next
    // transaction.
    std::chrono::milliseconds questionPoll{50};
    std::chrono::milliseconds answerTime{500};
    // How long a burst is given to come in once enough characters wait.
    std::chrono::milliseconds settleWait = std::chrono::seconds(10);
    // From one look at the alarm port to the next.
    std::chrono::milliseconds scanPeriod{1017};
    // How long the start-up failure message waits for its OK under a service manager.
    std::chrono::milliseconds unattendedFailureWait = std::chrono::seconds(60);
    // How long a check of the modem between alarms may hold up the scan.
    std::chrono::milliseconds watchCheckBound = std::chrono::seconds(3);
    // How often a message of the watch that failed goes again when the modem is not checked.
    std::chrono::milliseconds retryWithoutChecks = std::chrono::minutes(15);
    // orva --check: how long each command's final result is waited for, and how long the alarm
    // port is listened to.
    std::chrono::milliseconds checkCommandBound = std::chrono::seconds(3);
    std::chrono::milliseconds checkListen = std::chrono::seconds(3);
    // The watchdog, in parts of its interval: the event loop tells it every quarter, so that two
    // pings stay within half of it even when the loop is late, and once a day at least, as a timer
    // can count; a long wait tells it at most every eighth, at any of its steps.
    int watchdogPingParts = 4;
    std::chrono::milliseconds longestWatchdogPing = std::chrono::hours(24);
    int watchdogKeepAliveParts = 8;
    Clock clock = {};

    // The waits as each part that waits takes them.
    [[nodiscard]] SmsTransaction::Waits smsWaits() const
    {
        return {modemWaitUnit,         promptUnits,      latePromptUnits, confirmationUnits,
                lateConfirmationUnits, escapeReplyUnits, questionPoll,    outputBound};
    }
    [[nodiscard]] QuestionPace questionPace() const { return {questionPoll, answerTime}; }
    [[nodiscard]] service::WatchdogPace watchdogPace() const
    {
        return {watchdogPingParts, longestWatchdogPing, watchdogKeepAliveParts};
    }
};

} // namespace orva
