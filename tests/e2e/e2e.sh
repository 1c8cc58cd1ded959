#!/usr/bin/env bash
# Proves on a real X server, with real keys (xdotool) and the clipboard as
# another program reads it (xclip): Ctrl+X in a text field copies the wall X
# offset instead of cutting, Ctrl+Q quits with status 0, and a portable folder
# keeps Varnel.ini beside the program wherever it is started from and moved to;
# a read-only folder starts with the defaults and stays untouched.
#   xvfb-run -a bash tests/e2e/e2e.sh PROGRAM|ARCHIVE.tar.gz
set -uo pipefail
failures=0 pid=
check() { if eval "$1"; then echo "PASS: $2"; else echo "FAIL: $2"; failures=$((failures + 1)); fi; }
alive() { [[ $(ps -o stat= -p "$pid" 2>/dev/null) =~ ^[^Z] ]]; }
within() { # within SECONDS COMMAND: retries COMMAND every 0.1 s
    local end=$((SECONDS + $1)); shift
    until eval "$*"; do [ $SECONDS -lt $end ] || return 1; sleep 0.1; done
}
tmp=$(mktemp -d)
trap 'alive && kill -KILL $pid; rm -rf "$tmp"' EXIT
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")" && pwd)/lsan.supp"
chmod 755 "$tmp" && mkdir -m 777 "$tmp/portable" "$tmp/cwd"
case $1 in
*.tar.gz) tar -xzf "$1" -C "$tmp/portable" && folder=$(echo "$tmp"/portable/*) && chmod 777 "$folder" ;;
*) cp "$1" "$tmp/portable/varnel" && folder=$tmp/portable ;;
esac
as=() # root runs it as nobody, so that the folders' permissions bind
if [ "$(id -u)" -eq 0 ]; then
    install -m 644 "$XAUTHORITY" "$tmp/xauth"
    as=(setpriv --reuid=65534 --regid=65534 --clear-groups env XAUTHORITY="$tmp/xauth")
fi

# session FOLDER CLIPBOARD KEYS...: starts FOLDER/varnel from another folder,
# presses KEYS and Ctrl+X, expects CLIPBOARD, and quits with Ctrl+Q.
session() {
    local expected=$2 window=
    (cd "$tmp/cwd" && exec "${as[@]}" env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$tmp/cwd" \
        XDG_CONFIG_HOME="$tmp/cwd" "$1/varnel") >"$tmp/log" 2>&1 &
    pid=$!
    shift 2
    shown() {
        window=$(xdotool search --onlyvisible --pid $pid --name '^Varnel$' | head -n 1)
        [ -n "$window" ] && xdotool windowfocus --sync "$window" && [ "$(xdotool getwindowfocus)" = "$window" ]
    }
    check 'within 20 "alive && shown" 2>/dev/null' "the window is shown and focused" || { cat "$tmp/log"; return; }
    sleep 0.5 && xdotool key --delay 40 "$@" ctrl+x
    check 'within 5 "[ \"\$(xclip -o -selection clipboard)\" = \"$expected\" ]"' "Ctrl+X copied $expected"
    xdotool key ctrl+q
    check 'within 10 ! alive && wait $pid' "Ctrl+Q quit with status 0" || cat "$tmp/log"
}

check 'within 10 "xdotool getdisplaygeometry >/dev/null 2>&1"' "the X server answers" # a fresh one may refuse its first client
# Down picks "Center", Tab Tab reaches Text X; with "64" selected there, a
# cut would take it: 64/2 - 16/2 = 24.
session "$folder" 24 Down Tab Tab ctrl+a 6 4 ctrl+a
check 'tr -d "\r" <"$folder/Varnel.ini" | grep -qz "textx=64.*wallx=16.*top=345.left=510"' "Varnel.ini holds the sizes and the place"
mv "$folder" "$tmp/moved folder"
session "$tmp/moved folder" 24 Down
mkdir "$tmp/read-only" && cp "$tmp/moved folder/varnel" "$tmp/read-only/" && chmod 555 "$tmp/read-only"
session "$tmp/read-only" -4 Down
check '[ ! -e "$tmp/read-only/Varnel.ini" ] && [ -z "$(find "$tmp/cwd" -iname "*.ini")" ]' "nothing written elsewhere"
[ $failures -eq 0 ] && echo "PASS: e2e" || { echo "FAIL: e2e ($failures failed)"; exit 1; }
