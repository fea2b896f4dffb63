# Sourced by the scripts that run ORVA on the simulators: a temporary home whose data folder
# holds the sample settings (modem on COM1, alarm port on COM2) without the watch between
# alarms, whose messages would come at times of their own, and background processes that end,
# with the home, when the script does.

home=$(mktemp -d)
data=$home/ORVA
mkdir "$data"
grep -v -e 'MODEM CHECK:' -e 'TEST SMS:' -e 'SILENCE B:' \
    "$(dirname "${BASH_SOURCE[0]}")/../docs/settings.ini" >"$data/settings.ini"
log=$data/Log$(date +%Y%m%d).txt

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$home"
}
trap cleanup EXIT

wait_for() { # seconds, then a test command
    local seconds=$1
    shift
    for ((i = 0; i < seconds * 10; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
