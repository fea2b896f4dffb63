#!/usr/bin/env bash
# Measures how light ORVA is and how exact its waits are: the real program, offscreen, against
# the simulators, beside a bare Qt Widgets window of the same size started the same way.
# Prints each figure beside its target and exits non-zero when a target is missed.
# usage: bench/measure.sh [idle seconds, default 60] [bursts, default 100]
# The idle figures of the watch between alarms need at least 60 s to include a modem check.
set -euo pipefail
cd "$(dirname "$0")/.."
idle_seconds=${1:-60}
bursts=${2:-100}

scripts/install-deps.sh
# A build of its own, never a sanitized one.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVA_SANITIZE=OFF >/dev/null
cmake --build build-release --target orva orva-modem-simulator orva-alarm-simulator orva-bench-waits \
    orva-bench-bare-window >/dev/null
bin=$PWD/build-release/bin
export QT_QPA_PLATFORM=offscreen

source scripts/simulated-home.sh
records=$home/records.txt # what the alarm simulator sends at its next burst

"$bin/orva-modem-simulator" --link "$data/COM1" --transcript "$home/modem.bin" >"$home/sms.txt" 2>/dev/null &
pids+=($!)
"$bin/orva-modem-simulator" --link "$data/COM3" --mode silent >/dev/null 2>&1 &
pids+=($!)
"$bin/orva-modem-simulator" --link "$data/COM4" >/dev/null 2>&1 &
pids+=($!)
: >"$records"
"$bin/orva-alarm-simulator" --link "$data/COM2" --wait --file "$records" >/dev/null 2>&1 &
alarm_pid=$!
pids+=("$alarm_pid")
sleep 1

ticks=$(getconf CLK_TCK)
processor_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
resident_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
now() { date +%s.%N; }
sms_count() { grep -c . "$home/sms.txt" || true; }
wait_for_sms() { # count, timeout in seconds
    local deadline=$((SECONDS + $2))
    while [ "$(sms_count)" -lt "$1" ]; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}
burst() { # records file content on standard input
    cat >"$records"
    kill -USR1 "$alarm_pid"
}
failed=0
report() { # name, value, unit, comparison with the target, target
    local verdict=ok
    awk "BEGIN { exit !($2 $4 $5) }" || { verdict=MISSED; failed=1; }
    printf '%-44s %10.3f %-14s target %s %s  %s\n' "$1" "$2" "$3" "$4" "$5" "$verdict"
}

# Start-up: from the process start to its first log entry.
start=$(now)
HOME=$home "$bin/orva" 2>"$home/orva.err" &
orva_pid=$!
pids+=("$orva_pid")
until grep -qs "SMS Program Started" "$log"; do sleep 0.002; done
report "start-up to \"SMS Program Started\"" "$(awk "BEGIN { print $(now) - $start }")" s "<" 0.3

"$bin/orva-bench-bare-window" 2>/dev/null &
bare_pid=$!
pids+=("$bare_pid")
sleep 3
bare=$(resident_kib "$bare_pid")
printf '%-44s %10d KiB\n' "bare window, resident" "$bare"
orva_started=$(resident_kib "$orva_pid")
report "resident after start-up, to bare window" "$(awk "BEGIN { print $orva_started / $bare }")" \
    "times" "<=" 1.5

before=$(processor_ticks "$orva_pid")
sleep "$idle_seconds"
after=$(processor_ticks "$orva_pid")
report "idle processor use (${idle_seconds} s)" \
    "$(awk "BEGIN { print 100 * ($after - $before) / $ticks / $idle_seconds }")" "% of one core" "<" 1

# From the burst to the first command reaching the modem: the settle wait and the tick before.
before=$(processor_ticks "$orva_pid")
start=$(now)
echo ".BENCH ALARM" | burst
while [ ! -s "$home/modem.bin" ]; do sleep 0.05; done
end=$(now)
after=$(processor_ticks "$orva_pid")
report "processor use while a burst settles" \
    "$(awk "BEGIN { print 100 * ($after - $before) / $ticks / ($end - $start) }")" "% of one core" "<" 2
wait_for_sms 1 30

# Memory after many bursts, one scan cycle apart.
printf 'PLAIN RECORD %d\n' $(seq 1 20) >"$records"
for ((i = 1; i <= bursts; i++)); do
    kill -USR1 "$alarm_pid"
    sleep 11.5
done
orva_bursts=$(resident_kib "$orva_pid")
report "resident after $bursts bursts, to bare window" "$(awk "BEGIN { print $orva_bursts / $bare }")" \
    "times" "<=" 1.5
printf '%-44s %10d KiB after start-up, %d KiB after the bursts\n' "orva, resident" \
    "$orva_started" "$orva_bursts"


# Receive path: a mebibyte arrives on the alarm port while ORVA sleeps in its transactions.
# Its last record is an alarm: it is sent only if every byte before it was taken in.
printf '.RUN OF FIVE %d\n' 1 2 3 4 5 | burst
wait_for_sms 2 60 # the first of them is sent: ORVA now sleeps in the transactions
awk -v end=".END OF MEBIBYTE" 'BEGIN {
    body = 1024 * 1024 - length(end) - 1
    for (i = 0; i < int(body / 79); i++) printf "-FILLER %-70d\n", i
    if (body % 79) { line = ""; for (j = 1; j < body % 79; j++) line = line "-"; print line }
    print end
}' >"$records"
kill -USR1 "$alarm_pid"
if wait_for_sms 7 120 && tail -n 1 "$home/sms.txt" | grep -q "END OF MEBIBYTE"; then
    report "1 MiB received during 5 transactions, lost" 0 "bytes" "==" 0
else
    report "1 MiB received during 5 transactions, lost" 1 "(some) bytes" "==" 0
    cat "$home/orva.err" "$home/sms.txt" | cut -c1-100 >&2
fi

HOME=$home "$bin/orva-bench-waits" >"$home/waits.txt"
figure() { sed -n "s/^$1: \([0-9.]*\).*/\1/p" "$home/waits.txt"; }
wait_report() { # name, nominal seconds
    local measured
    measured=$(figure "$1")
    printf '%-44s %10.3f s (nominal %s s)\n' "$1" "$measured" "$2"
    report "  off by" "$(awk "BEGIN { d = ($measured - $2) / $2; print 100 * (d < 0 ? -d : d) }")" \
        "%" "<" 2
}
wait_report "settle wait" 10
report "settle wait processor use" "$(figure 'settle wait processor use')" "% of one core" "<" 2
wait_report "successful transaction" 4
wait_report "failed transaction" 1.5
report "read back of 31 days of logs at start-up" "$(figure 'read back of 31 days of logs')" s "<" 0.5

# The watch between alarms, idle: two more ORVAs side by side on simulators of their own, one
# without the watch keys and one with all three (a modem check every minute), for the same time.
# Wake-ups are the voluntary context switches of all the process's threads.
wakeups() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches:/ { n += $2 } END { print n }'; }
start_idle_orva() { # name, extra settings lines; prints the pid
    local idle_home=$home/$1
    mkdir -p "$idle_home/ORVA"
    cp "$data/settings.ini" "$idle_home/ORVA/settings.ini"
    printf '%b' "$2" >>"$idle_home/ORVA/settings.ini"
    "$bin/orva-modem-simulator" --link "$idle_home/ORVA/COM1" >/dev/null 2>&1 &
    pids+=($!)
    "$bin/orva-alarm-simulator" --link "$idle_home/ORVA/COM2" --wait >/dev/null 2>&1 &
    pids+=($!)
    sleep 1
    HOME=$idle_home "$bin/orva" >/dev/null 2>&1 &
    pids+=($!)
    echo $!
}
test_time=$(date -d '-2 hours' +%H:%M) # not due while measured
plain_pid=$(start_idle_orva plain "")
watch_pid=$(start_idle_orva watch "MODEM CHECK:1\r\nTEST SMS:$test_time\r\nSILENCE B:24\r\n")
sleep 3
declare -A ticks_before wakeups_before
for pid in "$plain_pid" "$watch_pid"; do
    ticks_before[$pid]=$(processor_ticks "$pid")
    wakeups_before[$pid]=$(wakeups "$pid")
done
sleep "$idle_seconds"
figures() { # pid: processor %, wake-ups a second, resident KiB
    awk -v t="$(($(processor_ticks "$1") - ticks_before[$1]))" \
        -v w="$(($(wakeups "$1") - wakeups_before[$1]))" -v r="$(resident_kib "$1")" \
        -v tck="$ticks" -v s="$idle_seconds" 'BEGIN { print 100 * t / tck / s, w / s, r }'
}
read -r plain_cpu plain_wakeups plain_rss <<<"$(figures "$plain_pid")"
read -r watch_cpu watch_wakeups watch_rss <<<"$(figures "$watch_pid")"
printf '%-44s %10.3f %% of one core, %.2f wake-ups/s, %d KiB = %.2f x bare\n' \
    "idle without the watch keys (${idle_seconds} s)" "$plain_cpu" "$plain_wakeups" "$plain_rss" \
    "$(awk "BEGIN { print $plain_rss / $bare }")"
printf '%-44s %10.3f %% of one core, %.2f wake-ups/s, %d KiB = %.2f x bare\n' \
    "idle with all three, a check a minute" "$watch_cpu" "$watch_wakeups" "$watch_rss" \
    "$(awk "BEGIN { print $watch_rss / $bare }")"
report "idle with the watch, processor use" "$watch_cpu" "% of one core" "<" 1
report "  wake-ups a second above those without" "$(awk "BEGIN { print $watch_wakeups - $plain_wakeups }")" \
    "per second" "<" 1
report "  resident above the one without" "$(awk "BEGIN { print 100 * ($watch_rss - $plain_rss) / $plain_rss }")" \
    "%" "<=" 2
exit "$failed"
