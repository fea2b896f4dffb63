#!/usr/bin/env bash
# Runs the release build of ORVA at its real timing against the simulators for HOURS hours:
# a burst with live alarms and other records every half minute, and now and then the modem
# unplugged for a while and plugged in again. Prints the program's resident memory, open file
# descriptors and threads at the start and at the end, then checks that every live alarm has
# exactly one log entry, that no other record has any, and that the modem received every
# message the log calls sent. Exits non-zero when a check fails or a figure grew.
# usage: bench/soak.sh HOURS (fractions allowed, at least 0.13)
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -eq 1 ] || { echo "usage: bench/soak.sh HOURS" >&2; exit 2; }
seconds=$(awk -v h="$1" 'BEGIN { print int(h * 3600) }')

readonly burst_period=30 # seconds from one burst to the next
readonly alarms_per_burst=3
readonly unplug_every=10 # bursts
readonly unplugged_for=20 # seconds
readonly memory_slack_kib=512 # the allocator's page-level noise

scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVA_SANITIZE=OFF >/dev/null
cmake --build build-release --target orva orva-modem-simulator orva-alarm-simulator >/dev/null
bin=$PWD/build-release/bin
export QT_QPA_PLATFORM=offscreen

source scripts/simulated-home.sh
records=$home/records.txt
sms=$home/sms.txt
: >"$records"
: >"$sms"

modem_pid=
plug_modem() {
    "$bin/orva-modem-simulator" --link "$data/COM1" >>"$sms" 2>/dev/null &
    modem_pid=$!
    pids+=("$modem_pid")
    wait_for 5 test -e "$data/COM1"
}
unplug_modem() {
    kill "$modem_pid"
    wait "$modem_pid" 2>/dev/null || true
}

plug_modem
"$bin/orva-alarm-simulator" --link "$data/COM2" --wait --file "$records" >/dev/null 2>&1 &
alarm_pid=$!
pids+=("$alarm_pid")
wait_for 5 test -e "$data/COM2"
HOME=$home "$bin/orva" 2>"$home/orva.err" &
orva_pid=$!
pids+=("$orva_pid")
wait_for 5 grep -qs "SMS Program Started" "$log"

# Live alarms carry an id that no other record holds: .A<burst>-<n>. The other records are
# one without the alarm-point mark and one whose state word says the point is back to normal.
write_burst() { # burst number
    local n
    {
        for ((n = 1; n <= alarms_per_burst; n++)); do
            printf '.A%05d-%d ZONE %d FIRE ALARM\n' "$1" "$n" "$n"
        done
        printf 'N%05d PANEL STATUS REPORT\n' "$1"
        printf '%-62sOK \n' ".N$(printf '%05d' "$1")-RESTORED ZONE 9"
    } >"$records"
}

figures() { # resident KiB, open file descriptors, threads
    echo "$(awk '/^VmRSS:/ { print $2 }' "/proc/$orva_pid/status")" \
        "$(find "/proc/$orva_pid/fd" -mindepth 1 | wc -l)" \
        "$(awk '/^Threads:/ { print $2 }' "/proc/$orva_pid/status")"
}
show_figures() { # label, figures
    read -r rss fds threads <<<"$2"
    printf '%-6s resident %6d KiB   file descriptors %3d   threads %2d\n' "$1" "$rss" "$fds" "$threads"
}

# One burst a period; the modem goes away at a random moment of every tenth period, so that
# it may vanish in the middle of a transaction, and returns before the next burst but one.
bursts=$(((seconds - 60) / burst_period))
# The program is warm once it has been through a burst before and after the first unplugging.
warm_burst=$((unplug_every + 2))
((bursts > warm_burst)) || { echo "bench/soak.sh: run at least 0.13 hours" >&2; exit 2; }
warm_figures=
for ((b = 1; b <= bursts; b++)); do
    period_start=$SECONDS
    kill -0 "$orva_pid" 2>/dev/null || { echo "ORVA ended unexpectedly" >&2; cat "$home/orva.err" >&2; exit 1; }
    # The figures are read just before a burst, with the modem plugged in and its line open.
    if ((b == 2)); then
        show_figures start "$(figures)"
    elif ((b == warm_burst)); then
        warm_figures=$(figures)
        show_figures warm "$warm_figures"
    fi
    write_burst "$b"
    kill -USR1 "$alarm_pid"
    if ((b % unplug_every == 0 && b < bursts)); then
        sleep $((RANDOM % (burst_period - 5)))
        unplug_modem
        sleep "$unplugged_for"
        plug_modem
    fi
    sleep $((period_start + burst_period - SECONDS > 0 ? period_start + burst_period - SECONDS : 0))
done
sleep "$burst_period"
end_figures=$(figures)
show_figures end "$end_figures"

failed=0
check() { # description, then the command that must succeed
    local what=$1
    shift
    if "$@"; then
        echo "ok      $what"
    else
        echo "FAILED  $what"
        failed=1
    fi
}
entries=$home/entries.txt
cat "$data"/Log*.txt | tr -d '\r' | grep . | cut -c19- >"$entries"
each_alarm_logged_once() {
    local b n count bad=0
    for ((b = 1; b <= bursts; b++)); do
        for ((n = 1; n <= alarms_per_burst; n++)); do
            count=$(grep -cF ".A$(printf '%05d' "$b")-$n " "$entries" || true)
            [ "$count" -eq 1 ] || { echo "  .A$b-$n: $count entries" >&2; bad=1; }
        done
    done
    return "$bad"
}
nothing_else_logged() { ! grep -q "N[0-9]\{5\}" "$entries"; }
sent_ones_received() {
    local bad=0 text
    while IFS= read -r text; do
        grep -qxF "91234567	${text% 91234567}" "$sms" || { echo "  not received: $text" >&2; bad=1; }
    done < <(grep '^\.A' "$entries")
    return "$bad"
}
not_grown() {
    read -r rss0 fds0 threads0 <<<"$warm_figures"
    read -r rss1 fds1 threads1 <<<"$end_figures"
    ((rss1 <= rss0 + memory_slack_kib && fds1 <= fds0 && threads1 <= threads0))
}

alarms=$((bursts * alarms_per_burst))
sent=$(grep -c '^\.A' "$entries" || true)
printf '%d bursts, %d live alarms: %d sent, %d logged as not sent; modem unplugged %d times\n' \
    "$bursts" "$alarms" "$sent" "$(grep -c 'SMS not sent: \.A' "$entries" || true)" \
    "$(((bursts - 1) / unplug_every))"
grep -o '^[^:]*SMS not sent' "$entries" | sort | uniq -c | sed 's/^/  /' || true
check "every live alarm has exactly one log entry" each_alarm_logged_once
check "no other record has any" nothing_else_logged
check "the modem received every message logged as sent" sent_ones_received
check "resident memory (+${memory_slack_kib} KiB), descriptors and threads did not grow once warm" \
    not_grown
exit "$failed"
