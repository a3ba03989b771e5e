#!/usr/bin/env bash
# TessarynUI at rest on a fresh machine: its wakeups a second (context switches of all its
# threads, from /proc), file-system calls a second (from strace, in a second run, where strace
# exists), resident memory and threads at the end.
#
#   bench/scripts/idle.sh [--seconds N] [--connected] [--full-log] [BIN_DIR]
#
# --connected connects to "Harbor Guest" first; --full-log fills the WLAN log to its cap first.
# BIN_DIR defaults to build/bin. Each run uses a machine of its own, removed afterwards.
set -euo pipefail

seconds=30
connected=0
full_log=0
bin=build/bin
while [ $# -gt 0 ]; do
    case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --connected) connected=1; shift ;;
    --full-log) full_log=1; shift ;;
    *) bin=$1; shift ;;
    esac
done
bin=$(cd "$bin" && pwd)

machine=$(mktemp -d /tmp/tessaryn-idle-XXXXXX)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$machine"
}
trap cleanup EXIT

"$bin/vnmachine" --machine "$machine" init >/dev/null
if [ "$full_log" = 1 ]; then
    log="$machine/wlan/log.txt"
    mkdir -p "$(dirname "$log")"
    # Lines as the log stores them, up to just under its cap, so the program's own lines take
    # it over. (awk, not `yes | head`: yes ends on a broken pipe, which pipefail takes for a
    # failure of the script.)
    awk -v cap=$((1024 * 1024 - 200)) 'BEGIN {
        for (n = 1; ; n++) {
            line = sprintf("#%d 0 WlanQueryInterface {00000000-0000-0000-0000-000000000000} opcode=7 -> 0", n)
            size += length(line) + 1
            if (size > cap) break
            print line
        }
    }' >"$log"
fi
if [ "$connected" = 1 ]; then
    "$bin/vnmachine" --machine "$machine" wlan connect "Harbor Guest" >/dev/null
fi

# Starts the program and waits for its tray icon.
start() {
    TESSARYN_MACHINE="$machine" "$@" &
    pid=$!
    for _ in $(seq 100); do
        "$bin/vnmachine" --machine "$machine" ui list 2>/dev/null | grep -qi "tray" && break
        sleep 0.1
    done
    sleep 2 # start-up settles
}

switches() {
    local total=0 n
    for f in /proc/"$1"/task/*/status; do
        n=$(awk '/ctxt_switches/ {s += $2} END {print s}' "$f" 2>/dev/null || echo 0)
        total=$((total + n))
    done
    echo "$total"
}

start "$bin/TessarynUI"
before=$(switches "$pid")
sleep "$seconds"
after=$(switches "$pid")
rss_kb=$(awk '/VmRSS/ {print $2}' /proc/"$pid"/status)
threads=$(ls /proc/"$pid"/task | wc -l)
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
awk -v w=$((after - before)) -v s="$seconds" -v r="$rss_kb" -v t="$threads" \
    'BEGIN { printf "wakeups/s %.2f\nresident MB %.1f\nthreads %d\n", w / s, r / 1024, t }'

if command -v strace >/dev/null; then
    trace=$(mktemp /tmp/tessaryn-idle-strace-XXXXXX)
    start strace -f -qq -e trace=%file,%desc -o "$trace" "$bin/TessarynUI"
    # Only what the program does at rest: the lines of the measured interval.
    start_lines=$(wc -l <"$trace")
    sleep "$seconds"
    end_lines=$(wc -l <"$trace")
    # The traced program itself, by its id: strace ends with it.
    kill "$(pgrep -P "$pid")"
    wait "$pid" 2>/dev/null || true
    pid=
    all=$(sed -n "$((start_lines + 1)),${end_lines}p" "$trace" | grep -cvE '^[0-9]+ +(\+\+\+|---)' || true)
    rm -f "$trace"
    awk -v c="$all" -v s="$seconds" 'BEGIN { printf "file-system calls/s (files and descriptors) %.1f\n", c / s }'
fi
