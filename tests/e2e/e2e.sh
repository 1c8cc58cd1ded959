#!/usr/bin/env bash
# Proves on a real X server, with real keys and clicks (xdotool) and the clipboard as another program reads
# it (xclip): Ctrl+X in a field copies, a copy note never swallows the next click, Return presses the focused
# Copy, Ctrl+T keeps the window above others as a window manager sees it, Ctrl+Q quits; a portable folder keeps
# Varnel.ini beside the program wherever started or moved to, a read-only one per user, from an administrator's
# file beside the program until then; a Debian package runs from /usr/bin, per user.
#   xvfb-run -a bash tests/e2e/e2e.sh PROGRAM|ARCHIVE.tar.gz|PACKAGE.deb
set -uo pipefail
failures=0 pid=
finish() { [ $failures -eq 0 ] && echo "PASS: e2e" && exit 0; echo "FAIL: e2e ($failures failed)"; exit 1; }
check() { if eval "$1"; then echo "PASS: $2"; else echo "FAIL: $2"; failures=$((failures + 1)); return 1; fi; }
alive() { [[ $(ps -o stat= -p "$pid" 2>/dev/null) =~ ^[^Z] ]]; }
within() { local end=$((SECONDS + $1)); shift; until eval "$*"; do [ $SECONDS -lt $end ] || return 1; sleep 0.1; done; } # SECONDS COMMAND
tmp=$(mktemp -d)
trap 'alive && kill -KILL $pid; kill ${spy-} 2>/dev/null; [ "${folder-}" != /usr/bin ] || apt-get -o DPkg::Lock::Timeout=100 remove -y -q varnel; rm -rf "$tmp"' EXIT
# Run as nobody, the program may not enter the checkout (a clone in a folder only root enters, say): it reads a copy.
install -m 644 "$(dirname "$0")/lsan.supp" "$tmp/" && export LSAN_OPTIONS="suppressions=$tmp/lsan.supp"
chmod 755 "$tmp" && mkdir -m 777 "$tmp/portable" "$tmp/cwd"
case $1 in
*.tar.gz) tar -xzf "$1" -C "$tmp/portable" && folder=$(echo "$tmp"/portable/*) && chmod 777 "$folder" ;;
*.deb) folder=/usr/bin ini=$tmp/cwd/Varnel/Varnel.ini other=/usr/bin/Varnel.ini
    apt-get -o DPkg::Lock::Timeout=100 install -y -q "$(realpath "$1")" || exit 1 ;; # waits for another's dpkg lock
*) cp "$1" "$tmp/portable/varnel" && folder=$tmp/portable ;;
esac
ini=${ini:-$folder/Varnel.ini} other=${other:-$tmp/cwd/Varnel} # where the settings go, and where not
as=() # root runs it as nobody, so that the folders' permissions bind
if [ "$(id -u)" -eq 0 ]; then
    install -m 644 "$XAUTHORITY" "$tmp/xauth"
    as=(setpriv --reuid=65534 --regid=65534 --clear-groups env XAUTHORITY="$tmp/xauth")
fi

key() { xdotool key --delay 40 "$@"; }
click() { xdotool mousemove --window "$window" "$1" $(($2 + menu)) click 1; } # X Y in the client area
copied() { check "within 5 '[ \"\$(xclip -o -selection clipboard)\" = \"$1\" ]'" "the clipboard holds $1"; }

# session FOLDER ACTIONS [END]: starts FOLDER/varnel from another folder, does
# ACTIONS (key, click and copied) and ends the run with Ctrl+Q, or with the
# signal END (TERM, HUP), which must save as Quit does.
session() {
    # A program that hangs spinning dies of its CPU limit, even if this script is killed first.
    (cd "$tmp/cwd" && exec "${as[@]}" prlimit --cpu=30 env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$tmp/cwd" \
        XDG_CONFIG_HOME="$tmp/cwd" HOME="$tmp/cwd" "$1/varnel") >"$tmp/log" 2>&1 &
    pid=$!
    shown() {
        window=$(xdotool search --onlyvisible --pid $pid --name '^Varnel$' | head -n 1)
        [ -n "$window" ] && xdotool windowfocus --sync "$window" && [ "$(xdotool getwindowfocus)" = "$window" ]
    }
    check 'within 20 "alive && shown" 2>/dev/null' "the window is shown and focused" || { cat "$tmp/log"; return; }
    menu=$(($(xdotool getwindowgeometry --shell "$window" | sed -n 's/HEIGHT=//p') - 444)) # above the client area
    sleep 0.5 && eval "$2"
    if [ -n "${3-}" ]; then kill -"$3" $pid; else key ctrl+q; fi
    check 'within 10 ! alive && wait $pid' "${3:-Ctrl+Q} ended it with status 0" || cat "$tmp/log"
}

check 'within 10 "xdotool getdisplaygeometry >/dev/null 2>&1"' "the X server answers" # a fresh one may refuse its first client
xprop -root -spy >/dev/null 2>&1 & spy=$! # a client all along, or the server resets and refuses some between sessions
check '[ "$(env -u DISPLAY "$folder/varnel" 2>&1)" = "Varnel needs a desktop session: DISPLAY or WAYLAND_DISPLAY is not set" ]' \
    "without a display it says so" # and "! varnel" fails
# Qt's own options are Qt's, however they are spelled; anything else is refused, display or not.
check '[ "$(env -u DISPLAY "$folder/varnel" -reverse -stylesheet x.qss --version)" = "Varnel 1.0.4" ]' \
    "Qt's options are not read as ours"
check 'env -u DISPLAY "$folder/varnel" --bogus 2>/dev/null; [ $? = 2 ]' "an unknown option exits 2"
# Down picks "Center" in both lists, Tab reaches Text X; with "64" selected there, a cut would take it:
# 64/2 - 16/2 = 24. The copy note of X never takes the click on Z's Copy right below: 8/2 - 16/2 = -4.
session "$folder" 'check "! grep -q imageformats /proc/\$pid/maps" "no image format plugin loads at start-up"
    key Down Tab Down Tab ctrl+a 6 4 ctrl+a ctrl+x; copied 24; click 195 377; click 195 416; copied -4'
check '"${as[@]}" env XDG_CONFIG_HOME="$tmp/cwd" "$folder/varnel" --help | grep -qFx "Settings file: $ini"' "--help names ${ini#"$tmp"/}"
check 'tr -d "\r" <"$ini" | grep -qz "textx=64.*wallx=16.*top=345.left=510" && [ ! -e "$other" ]' \
    "${ini#"$tmp"/} holds the sizes and the place"
[ "$folder" != /usr/bin ] || finish # an installed copy stays where it is
# Return presses the focused Copy. Under a window manager Ctrl+T asks it to
# keep the window above others, and a second Ctrl+T no longer.
above() { xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
mv "$folder" "$tmp/moved folder" && { openbox >/dev/null 2>&1 & } && wm=$! # a window mapped before it is ready stays hidden
check 'within 10 "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window" && sleep 1' "the window manager is up"
# It reopens as it was left, both axes on "Center": Tab reaches X's Copy past the four sizes.
session "$tmp/moved folder" 'key Tab Tab Tab Tab Tab Tab Return; copied 24; key ctrl+t
    check "within 5 above" "Ctrl+T keeps it above others"; key ctrl+t; check "within 5 ! above" "a second no longer"'
kill $wm
# A signal saves what was set, as Quit does: the sizes typed, and "Align Right".
session "$tmp/moved folder" 'key Down Tab Tab ctrl+a 1 2 8' TERM
check 'tr -d "\r" <"$tmp/moved folder/Varnel.ini" | grep -qz "textx=128.*x=3"' "SIGTERM saved them"
session "$tmp/moved folder" 'key Tab Tab ctrl+a 9 6' HUP
check 'grep -q "textx=96" "$tmp/moved folder/Varnel.ini"' "SIGHUP saved them"
# A run of walls 45, 64, 45 centred on a 64-wide texture: -45, 0, 64, and wrapped 19, 0, 0. Quit with the run
# window open reopens it, with its run; its focus starts in the walls.
run=$(printf '%s\n' -45 0 64) # what Copy All copies
session "$tmp/moved folder" 'key ctrl+r && sleep 0.5 && xdotool type 45 && key Return && xdotool type 64 && key Return &&
    xdotool type 45 && key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Down ctrl+n; copied -45
    key ctrl+n; copied 0; key ctrl+n; copied 64; key ctrl+shift+c; copied "$run"; key Tab Tab Tab Tab space ctrl+n
    copied 19; xdotool windowfocus --sync "$window"'
session "$tmp/moved folder" 'check "xdotool search --onlyvisible --name \"^Run of Walls\$\" windowfocus --sync" \
    "the run window reopens"; key ctrl+n; copied 19; xdotool windowfocus --sync "$window"'
# A read-only folder keeps the settings per user, starting from the
# administrator's Varnel.ini beside the program: 48/2 - 16/2 = 16.
mkdir "$tmp/read-only" && cp "$tmp/moved folder/varnel" "$tmp/read-only/"
defaults='[lastsize]\r\ntextx=48\r\n'
printf "$defaults" >"$tmp/read-only/Varnel.ini" && chmod 555 "$tmp/read-only"
session "$tmp/read-only" 'key Down ctrl+x; copied 16'
check 'grep -q "textx=48" "$tmp/cwd/Varnel/Varnel.ini" && printf "$defaults" | cmp -s - "$tmp/read-only/Varnel.ini"' \
    "the user's own file holds the sizes, the administrator's is untouched"
finish
