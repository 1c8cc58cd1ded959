#!/usr/bin/env bash
# Start-up benchmark: time from exec to the first painted frame of the main
# window, and resident memory (VmRSS) 500 ms later, for varnel and for
# bare_window, a plain Qt window of the same size (the yardstick).
#
#   bash bench/startup/run.sh VARNEL BARE_WINDOW FIRST_FRAME
#
# Runs under its own Xvfb: WARMUP (2) uncounted rounds that fill the page
# cache, then RUNS (20) counted ones, each starting both programs in turn, so
# both see the same load. Each start is of a fresh copy in a fresh temporary
# folder that also holds its XDG_CONFIG_HOME: no Varnel.ini is read, none
# written survives. Exit status 1 when a start fails, 2 on a usage error; the
# targets are reported, not enforced.
set -euo pipefail

if [ "${1:-}" != --under-xvfb ]; then
    [ $# -eq 3 ] || { echo "usage: $0 VARNEL BARE_WINDOW FIRST_FRAME" >&2; exit 2; }
    for f in "$@"; do [ -x "$f" ] || { echo "run.sh: $f is not built" >&2; exit 2; }; done
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -br -noreset -nolisten tcp" \
        bash "$0" --under-xvfb "$(realpath "$1")" "$(realpath "$2")" "$(realpath "$3")"
fi
varnel=$2 bare=$3 first_frame=$4
runs=${RUNS:-20} warmup=${WARMUP:-2}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_RUNTIME_DIR=$tmp # Qt wants one, private to the user

# start NAME TITLE PROGRAM: one measured start; appends "ms kB" to $tmp/NAME.
start() {
    local dir=$tmp/run
    rm -rf "$dir" && mkdir -p "$dir/config"
    cp "$3" "$dir/$1"
    (cd "$dir" && XDG_CONFIG_HOME=$dir/config timeout 30 "$first_frame" "$2" "./$1") \
        >>"$tmp/$1" || { echo "run.sh: $1 showed no painted window" >&2; exit 1; }
}

for ((i = 0; i < warmup + runs; i++)); do
    [ "$i" -eq "$warmup" ] && rm -f "$tmp/varnel" "$tmp/bare_window"
    start varnel Varnel "$varnel"
    start bare_window BareWindow "$bare"
done

# stats NAME: median, min and max ms, and median VmRSS in MiB, of its starts.
stats() {
    for column in 1 2; do
        sort -n -k$column,$column "$tmp/$1" | awk -v c=$column '{ v[NR] = $c } END {
            m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            if (c == 1) printf "%.1f %.1f %.1f ", m, v[1], v[NR]; else printf "%.1f\n", m / 1024 }'
    done
}

echo "Exec to first painted frame under Xvfb, $runs runs each after $warmup warm-up rounds;"
echo "VmRSS 500 ms after the first frame."
printf '%-12s %9s %8s %8s %10s\n' program "median ms" "min ms" "max ms" "VmRSS MiB"
read -r v_med v_min v_max v_rss < <(stats varnel)
read -r b_med b_min b_max b_rss < <(stats bare_window)
printf '%-12s %9s %8s %8s %10s\n' varnel "$v_med" "$v_min" "$v_max" "$v_rss" \
    bare_window "$b_med" "$b_min" "$b_max" "$b_rss"
awk -v v="$v_med" -v b="$b_med" -v r="$v_rss" 'BEGIN {
    printf "ratio varnel / bare_window: %.2f (target <= 1.15: %s)\n", v / b, v / b <= 1.15 ? "met" : "NOT met"
    printf "varnel VmRSS: %.1f MiB (target <= 40 MiB: %s)\n", r, r <= 40 ? "met" : "NOT met" }'
