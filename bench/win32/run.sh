#!/usr/bin/env bash
# Start-up of varnel.exe under Wine: the ms from exec to the first painted frame of its window, against
# bare_window.exe, the same window with the same controls, menus, fonts and manifest but none of Varnel's work
# (the yardstick), both under one Wine server that is already up, as a user's desktop has it. Each start is of
# a fresh copy in an empty folder, so no Varnel.ini is read.
#   bash bench/win32/run.sh VARNEL.EXE BARE_WINDOW.EXE FIRST_FRAME
# FIRST_FRAME is bench/startup's first_frame, built natively (bash tools/dev.sh bench builds it). WARMUP (2)
# uncounted rounds, then RUNS (15), each starting both programs in turn. WINEPREFIX: the Wine prefix to use.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 VARNEL.EXE BARE_WINDOW.EXE FIRST_FRAME" >&2; exit 2; }
runs=${RUNS:-15} warmup=${WARMUP:-2}
tmp=$(mktemp -d)
export WINEPREFIX=${WINEPREFIX:-$tmp/wineprefix} WINEDEBUG=-all
n=60 && while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 & xvfb=$!
export DISPLAY=:$n
trap 'wineserver -k; kill $xvfb; rm -rf "$tmp"' EXIT
sleep 1 && wineserver -k 2>/dev/null || true
[ -f "$WINEPREFIX/system.reg" ] || wine wineboot -i >/dev/null 2>&1
wineserver -p && wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

# start NAME TITLE PROGRAM: one measured start; appends its ms to $tmp/NAME.times.
start() {
    rm -rf "$tmp/run" && mkdir "$tmp/run" && cp "$3" "$tmp/run/"
    (cd "$tmp/run" && timeout 30 "$first_frame" "$2" wine "./$(basename "$3")") | cut -d' ' -f1 >>"$tmp/$1.times"
}
first_frame=$(realpath "$3")
for ((i = 0; i < warmup + runs; i++)); do
    [ "$i" -eq "$warmup" ] && rm -f "$tmp"/*.times
    start varnel Varnel "$1"
    start bare_window BareWindow "$2"
done
median() { sort -n "$tmp/$1.times" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
v=$(median varnel) b=$(median bare_window)
echo "Exec to first painted frame under Wine, median of $runs starts each after $warmup warm-up rounds:"
echo "varnel.exe $v ms, bare_window.exe $b ms, $(stat -c %s "$1") bytes"
awk -v v="$v" -v b="$b" 'BEGIN { printf "ratio varnel / bare_window: %.2f (target <= 1.2: %s)\n", v / b, v / b <= 1.2 ? "met" : "NOT met" }'
