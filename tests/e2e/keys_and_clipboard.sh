#!/usr/bin/env bash
# End to end: the real varnel on a real X server, driven by real key presses
# (xdotool, through the XTEST extension, exactly as from a keyboard), with the
# result read back from the real clipboard by another program (xclip).
#
#   xvfb-run -a bash tests/e2e/keys_and_clipboard.sh path/to/varnel
#
# What it does and checks:
#   1. Copies varnel into a fresh temporary folder, so that it starts without
#      a Varnel.ini and writes its Varnel.ini there, and starts it.
#   2. Waits for the window "Varnel" and gives it the input focus (there is no
#      window manager under xvfb-run, so the focus is set directly).
#   3. The focus starts in the X alignment list on "Align Left [Default]":
#      Down picks "Center", which enables the wall X fields. Tab Tab moves to
#      the X texture size; Ctrl+A and "64" replace its text, so the wall X
#      offset is 64/2 - 16/2 = 24.
#   4. With the focus still in that field's text, and "64" selected again by
#      Ctrl+A, Ctrl+X must copy the wall X offset: the clipboard, read by xclip
#      while varnel runs, must be "24". (Were Ctrl+X the field's own cut, the
#      clipboard would hold "64" and the field would lose it.)
#   5. Ctrl+Q must quit: the program must end by itself, with status 0.
#   6. Varnel.ini must hold the six keys: textx=64 (so the field kept its
#      text: Ctrl+X did not cut it), textz=8, wallx=16, wallz=16, and the
#      window's default place, top=345 and left=510 twips (23 and 34 pixels,
#      unmoved, as nothing places windows here), in CR LF lines.
# Every wait is bounded; the whole test ends within 60 seconds. It prints one
# PASS or FAIL line per check and exits 0 only when all of them pass.
set -uo pipefail

deadline=$((SECONDS + 60))
# shellcheck source=../shell/checks.sh
source "$(dirname "$0")/../shell/checks.sh"
tmp=
watchdog=
cleanup() {
    if alive; then
        kill -TERM "$pid" 2>/dev/null
        sleep 0.5
        kill -KILL "$pid" 2>/dev/null
    fi
    [ -n "$watchdog" ] && kill -TERM "$watchdog" 2>/dev/null
    [ -n "$tmp" ] && rm -rf "$tmp"
}
# abort MESSAGE: a failure after which nothing else can be checked.
abort() {
    fail "$*"
    if [ -n "$tmp" ] && [ -s "$tmp/varnel.log" ]; then
        echo "---- varnel's output ----"
        cat "$tmp/varnel.log"
    fi
    echo "FAIL: keys_and_clipboard ($failures failed)"
    cleanup
    exit 1
}
trap cleanup EXIT
trap 'abort "interrupted, or over the 60 s limit"' INT TERM
# A watchdog, in case a step outlives its own time-out. Its output goes
# nowhere, so that a test runner reading ours never waits for it.
(
    sleep 62 &
    trap 'kill $! 2>/dev/null; exit 0' TERM
    wait $!
    kill -TERM $$ 2>/dev/null
) </dev/null >/dev/null 2>&1 &
watchdog=$!

# wait_until SECONDS COMMAND...: retries COMMAND every 0.1 s until it succeeds.
wait_until() {
    local until=$((SECONDS + $1))
    shift
    while ! "$@"; do
        [ "$SECONDS" -ge "$until" ] || [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.1
    done
}

# ---------------------------------------------------------------- set-up
[ $# -eq 1 ] || { echo "usage: xvfb-run -a bash $0 path/to/varnel" >&2; exit 2; }
program=$1
[ -x "$program" ] || abort "$program is not an executable file"
[ -n "${DISPLAY:-}" ] || abort "DISPLAY is not set: run this under xvfb-run -a"
for tool in xdotool xclip timeout; do
    command -v "$tool" >/dev/null || abort "$tool is not installed"
done

tmp=$(mktemp -d)
cp "$program" "$tmp/varnel" || abort "cannot copy $program"
# For a sanitizer build: leaks inside system libraries that the X11 platform
# loads are not Varnel's (see lsan.supp). Has no effect on other builds.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
ini=$tmp/Varnel.ini
mkdir -m 700 "$tmp/xdg"

starts=0
start_varnel() {
    starts=$((starts + 1))
    # Qt must draw on this X server, whatever the caller's environment says.
    (cd "$tmp" && exec env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$tmp/xdg" ./varnel) \
        >"$tmp/varnel.log" 2>&1 &
    pid=$!
}
start_varnel

# ---------------------------------------------------------------- window
window=
find_window() {
    if ! alive; then
        # A fresh server can refuse its very first client for a moment (and
        # xvfb-run -a can race another xvfb-run for a display number): try
        # again, a few times, when that is why varnel ended.
        if [ "$starts" -lt 3 ] && grep -q "could not connect to display" "$tmp/varnel.log"; then
            echo "note: varnel could not connect to $DISPLAY; starting it again"
            sleep 1
            start_varnel
            return 1
        fi
        abort "varnel ended before showing its window"
    fi
    window=$(timeout 3 xdotool search --onlyvisible --name '^Varnel$' 2>/dev/null | head -n 1)
    [ -n "$window" ]
}
wait_until 20 find_window || abort "no visible window named \"Varnel\" within 20 s"
pass "the window \"Varnel\" is shown (id $window)"

has_focus() {
    timeout 3 xdotool windowfocus --sync "$window" 2>/dev/null
    [ "$(timeout 3 xdotool getwindowfocus 2>/dev/null)" = "$window" ]
}
wait_until 10 has_focus || abort "cannot give the window the input focus"
sleep 0.5 # let Qt take the FocusIn and activate the window
pass "the window has the input focus"

# ---------------------------------------------------------------- keys
key() { timeout 5 xdotool key --delay 40 "$@" || abort "xdotool key $* failed"; }

key Down      # lstPosX: "Align Left [Default]" -> "Center"
key Tab Tab   # lstPosX -> lstPosZ -> cmbTextX
key ctrl+a
timeout 5 xdotool type --delay 40 64 || abort "xdotool type failed"
key ctrl+a    # select "64" again, so that a cut would show: it would take it
key ctrl+x    # copies the wall X offset; must not cut "64"

clipboard=
clipboard_is_24() {
    clipboard=$(timeout 2 xclip -o -selection clipboard 2>/dev/null)
    [ "$clipboard" = 24 ]
}
if wait_until 5 clipboard_is_24; then
    pass "Ctrl+X in the texture-size field copied the wall X offset: clipboard is \"24\""
else
    fail "after Ctrl+X the clipboard holds \"$clipboard\", expected \"24\" (64/2 - 16/2)"
fi

key ctrl+q
ended() { ! alive; }
if wait_until 5 ended; then
    wait "$pid"
    status=$?
    pid=
    if [ "$status" -eq 0 ]; then
        pass "Ctrl+Q quit the program, exit status 0"
    else
        fail "the program ended with status $status after Ctrl+Q, expected 0"
        echo "---- varnel's output ----"
        cat "$tmp/varnel.log"
    fi
else
    abort "the program still runs 5 s after Ctrl+Q"
fi

# ---------------------------------------------------------------- Varnel.ini
[ -f "$ini" ] || abort "no Varnel.ini beside the program after quitting"

# value SECTION KEY: the value of KEY in [SECTION], without the line's CR.
value() {
    tr -d '\r' <"$ini" | awk -v s="[$1]" -v k="$2" '
        /^\[/ { here = ($0 == s); next }
        here && index($0, "=") { split($0, kv, "="); if (kv[1] == k) { print substr($0, length(k) + 2); exit } }'
}

expect() {
    local got
    got=$(value "$1" "$2")
    if [ "$got" = "$3" ]; then
        pass "Varnel.ini [$1] $2=$3"
    else
        fail "Varnel.ini [$1] $2 is \"$got\", expected \"$3\""
    fi
}
expect lastsize textx 64
expect lastsize textz 8
expect lastsize wallx 16
expect lastsize wallz 16
for k in top left; do
    v=$(value position "$k")
    if [[ $v =~ ^-?[0-9]+(\.[0-9]+)?$ ]]; then
        pass "Varnel.ini [position] $k=$v is a number"
    else
        fail "Varnel.ini [position] $k is \"$v\", expected a number"
    fi
done
expect position top 345
expect position left 510

if [ "$(tr -cd '\n' <"$ini" | wc -c)" -gt 0 ] &&
    [ "$(grep -c $'\r$' "$ini")" -eq "$(tr -cd '\n' <"$ini" | wc -c)" ]; then
    pass "every line of Varnel.ini ends in CR LF"
else
    fail "Varnel.ini has lines that do not end in CR LF"
fi

if [ "$failures" -eq 0 ]; then
    echo "PASS: keys_and_clipboard"
    exit 0
fi
echo "---- Varnel.ini ----"
cat -A "$ini"
echo "FAIL: keys_and_clipboard ($failures failed)"
exit 1
