#!/usr/bin/env bash
# Measures how light ORVA is and how exact its waits are, offscreen against the simulators,
# and prints each figure beside its target. Exits non-zero when a target is missed.
# usage: bench/measure.sh [idle seconds, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
idle_seconds=${1:-60}

scripts/install-deps.sh
# A build of its own, never a sanitized one.
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVA_SANITIZE=OFF >/dev/null
cmake --build build-release --target orva orva-modem-sim orva-alarm-sim orva-bench-waits >/dev/null
bin=$PWD/build-release/bin
export QT_QPA_PLATFORM=offscreen

home=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT
data=$home/ORVA
mkdir "$data"
printf 'PORT A:1\r\nSETTINGS A:9600,n,8,1\r\nPORT B:2\r\nSETTINGS B:9600,n,8,1\r\nLENGTH B:10\r\nHP:91234567\r\n' \
    >"$data/settings.ini"

"$bin/orva-modem-sim" --link "$data/COM1" --transcript "$home/modem.bin" >/dev/null 2>&1 &
pids+=($!)
"$bin/orva-modem-sim" --link "$data/COM3" --mode silent >/dev/null 2>&1 &
pids+=($!)
"$bin/orva-modem-sim" --link "$data/COM4" >/dev/null 2>&1 &
pids+=($!)
"$bin/orva-alarm-sim" --link "$data/COM2" --wait ".BENCH ALARM" >/dev/null 2>&1 &
alarm_pid=$!
pids+=("$alarm_pid")
sleep 1

ticks=$(getconf CLK_TCK)
processor_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
now() { date +%s.%N; }
failed=0
report() { # name, value, unit, comparison with the target, target
    local verdict=ok
    awk "BEGIN { exit !($2 $4 $5) }" || { verdict=MISSED; failed=1; }
    printf '%-40s %10.3f %-14s target %s %s  %s\n' "$1" "$2" "$3" "$4" "$5" "$verdict"
}

HOME=$home "$bin/orva" 2>/dev/null &
orva_pid=$!
pids+=("$orva_pid")
sleep 2

before=$(processor_ticks "$orva_pid")
sleep "$idle_seconds"
after=$(processor_ticks "$orva_pid")
report "idle processor use (${idle_seconds} s)" \
    "$(awk "BEGIN { print 100 * ($after - $before) / $ticks / $idle_seconds }")" "% of one core" "<" 1

# From the burst to the first command reaching the modem: the settle wait and the tick before.
before=$(processor_ticks "$orva_pid")
start=$(now)
kill -USR1 "$alarm_pid"
while [ ! -s "$home/modem.bin" ]; do sleep 0.05; done
end=$(now)
after=$(processor_ticks "$orva_pid")
report "processor use while a burst settles" \
    "$(awk "BEGIN { print 100 * ($after - $before) / $ticks / ($end - $start) }")" "% of one core" "<" 2

HOME=$home "$bin/orva-bench-waits" >"$home/waits.txt"
figure() { sed -n "s/^$1: \([0-9.]*\).*/\1/p" "$home/waits.txt"; }
wait_report() { # name, nominal seconds
    local measured
    measured=$(figure "$1")
    printf '%-40s %10.3f s (nominal %s s)\n' "$1" "$measured" "$2"
    report "  off by" "$(awk "BEGIN { d = ($measured - $2) / $2; print 100 * (d < 0 ? -d : d) }")" \
        "%" "<" 5
}
wait_report "settle wait" 10
report "settle wait processor use" "$(figure 'settle wait processor use')" "% of one core" "<" 2
wait_report "successful transaction" 4
wait_report "failed transaction" 1.5
exit "$failed"
