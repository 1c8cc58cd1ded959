#!/usr/bin/env bash
# Start-up benchmark: how long from exec until the main window shows its first
# painted frame, and how much resident memory the program holds once started,
# for varnel and for bare_window (a plain QMainWindow with the same widgets and
# nothing else, the yardstick).
#
#   bash bench/startup/run.sh [VARNEL [BARE_WINDOW [FIRST_FRAME]]]
#
# Defaults: build/default/app/varnel, build/default/bench/startup/bare_window,
# build/default/bench/startup/first_frame. RUNS (20) counted runs of each
# program, after WARMUP (2) uncounted ones that fill the page cache.
#
# Method: the script starts its own Xvfb server (through xvfb-run, with a black
# root and no reset between clients) and runs every start under it, alternating
# the two programs so that both see the same machine load. Each start is made
# by first_frame, which forks and execs the program and watches the X server
# with the DAMAGE extension: the first frame is the first drawing into the
# window named "Varnel" (or "BareWindow") after which the window holds real
# content (three or more colours). See first_frame.cpp for the details. VmRSS
# is read from /proc 500 ms after the first frame; the program is then ended
# with SIGTERM, so it never writes its settings file. Each program runs from a
# copy in a fresh temporary folder, so no Varnel.ini from an earlier run is
# read (the window always opens at its default place, fully on screen).
#
# Exit status: 0 when every start was measured (the targets below are
# reported, not enforced: timings on a shared machine are noisy), 1 when a
# start failed, 2 on a usage error.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)

if [ "${1:-}" != "--under-xvfb" ]; then
    command -v xvfb-run >/dev/null || { echo "run.sh: xvfb-run is missing (package xvfb)" >&2; exit 2; }
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -br -noreset -nolisten tcp" \
        bash "$0" --under-xvfb "$@"
fi
shift

varnel=${1:-$root/build/default/app/varnel}
bare=${2:-$root/build/default/bench/startup/bare_window}
watch=${3:-$root/build/default/bench/startup/first_frame}
runs=${RUNS:-20}
warmup=${WARMUP:-2}

for f in "$bare" "$watch"; do
    [ -x "$f" ] || { echo "run.sh: $f is not built (cmake --build --preset default)" >&2; exit 2; }
done
with_varnel=1
if [ ! -x "$varnel" ]; then
    echo "run.sh: $varnel is not built; measuring bare_window alone"
    with_varnel=0
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/varnel" "$tmp/bare" "$tmp/xdg"
chmod 700 "$tmp/xdg"
export XDG_RUNTIME_DIR=$tmp/xdg
cp "$bare" "$tmp/bare/bare_window"
[ $with_varnel = 1 ] && cp "$varnel" "$tmp/varnel/varnel"

# measure NAME TITLE EXE: one start; appends "ms rss_kb method" to $tmp/NAME.
measure() {
    local out
    if ! out=$(timeout 30 "$watch" --timeout-ms 15000 "$2" "$3" 2>"$tmp/err"); then
        echo "run.sh: $1 failed to show a painted window:" >&2
        cat "$tmp/err" >&2
        exit 1
    fi
    # first_frame_ms=12.34 rss_kb=5678 method=damage
    set -- "$1" $out
    echo "${2#first_frame_ms=} ${3#rss_kb=} ${4#method=}" >>"$tmp/$1.runs"
}

programs=(bare)
[ $with_varnel = 1 ] && programs=(varnel bare)
for ((i = 0; i < warmup + runs; i++)); do
    for p in "${programs[@]}"; do
        case $p in
        varnel) measure varnel Varnel "$tmp/varnel/varnel" ;;
        bare) measure bare BareWindow "$tmp/bare/bare_window" ;;
        esac
    done
    if [ "$i" -eq $((warmup - 1)) ]; then
        rm -f "$tmp"/*.runs  # the warm-up starts are not counted
    fi
done

# stats NAME: prints "median min max rss_median_mib polls"
stats() {
    local f=$tmp/$1.runs
    local n
    n=$(wc -l <"$f")
    sort -n -k1,1 "$f" | awk -v n="$n" '
        { t[NR] = $1; if ($3 == "poll") polls++ }
        END {
            med = (n % 2) ? t[(n + 1) / 2] : (t[n / 2] + t[n / 2 + 1]) / 2
            printf "%.1f %.1f %.1f ", med, t[1], t[n]
        }'
    sort -n -k2,2 "$f" | awk -v n="$n" '
        { r[NR] = $2; if ($3 == "poll") polls++ }
        END {
            med = (n % 2) ? r[(n + 1) / 2] : (r[n / 2] + r[n / 2 + 1]) / 2
            printf "%.1f %d\n", med / 1024, polls
        }'
}

echo "Start-up under Xvfb 1280x1024x24: exec to first painted frame, $runs runs each"
echo "(after $warmup warm-up runs), and VmRSS 500 ms after the first frame."
printf '%-12s %9s %9s %9s %12s\n' program "median ms" "min ms" "max ms" "VmRSS MiB"
for p in "${programs[@]}"; do
    read -r med min max rss polls < <(stats "$p")
    name=$p
    [ "$p" = bare ] && name=bare_window
    printf '%-12s %9s %9s %9s %12s\n' "$name" "$med" "$min" "$max" "$rss"
    [ "$polls" -gt 0 ] && echo "  ($polls of the $name frames were missed by DAMAGE and found by the 50 ms poll: coarse)"
    eval "${p}_med=$med ${p}_rss=$rss"
done
if [ $with_varnel = 1 ]; then
    awk -v v="$varnel_med" -v b="$bare_med" -v r="$varnel_rss" 'BEGIN {
        ratio = v / b
        printf "ratio varnel / bare_window (medians): %.3f  (target <= 1.15: %s)\n",
            ratio, ratio <= 1.15 ? "met" : "NOT met"
        printf "varnel VmRSS: %.1f MiB  (target <= 40 MiB: %s)\n", r, r <= 40 ? "met" : "NOT met"
    }'
fi
