#!/usr/bin/env bash
# Takes docs/screenshot.png: the Varnel window, running on its own Xvfb server,
# with a few example values typed in.
#
#   bash tools/screenshot.sh [path/to/varnel] [output.png] [light|dark]
#
# Without a program path it builds the default preset first. Needs xvfb-run,
# xdotool and ImageMagick's import (bash tools/dev.sh screenshot installs them
# and runs this). The program runs from a fresh temporary folder, so no
# Varnel.ini of yours is read or changed. There is no window manager, so the
# picture is the window without a frame: the menu bar and the client area.
# "dark" takes it with qt6ct's "darker" colour scheme, a dark desktop palette
# as users set one (package qt6ct).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${VARNEL_SCREENSHOT_SERVER:-}" ]; then
    program=${1:-}
    if [ -z "$program" ]; then
        cmake --preset default
        cmake --build --preset default --target varnel -j 2
        program=build/default/app/varnel
    fi
    output=${2:-docs/screenshot.png}
    theme=${3:-light}
    [ -x "$program" ] || { echo "$program is not an executable file" >&2; exit 2; }
    for tool in xvfb-run xdotool import timeout; do
        command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 2; }
    done
    # A server of our own, 24-bit colour, whatever DISPLAY the caller has.
    VARNEL_SCREENSHOT_SERVER=1 exec timeout 90 xvfb-run -a -s "-screen 0 1024x768x24" \
        bash "$0" "$(realpath "$program")" "$(realpath -m "$output")" "$theme"
fi

program=$1
output=$2
theme=$3
tmp=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then kill -KILL "$pid" 2>/dev/null || true; fi
    rm -rf "$tmp"
}
trap cleanup EXIT

cp "$program" "$tmp/varnel"
# Example sizes: a 64-wide texture centred on a 16-wide wall, a 128-high
# texture aligned to the top of a 72-high wall.
printf '[lastsize]\r\ntextx=64\r\ntextz=128\r\nwallx=16\r\nwallz=72\r\n' >"$tmp/Varnel.ini"
mkdir -m 700 "$tmp/xdg"
look=()
if [ "$theme" = dark ]; then
    mkdir -p "$tmp/config/qt6ct"
    printf '[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\ncustom_palette=true\nstyle=Fusion\n' \
        >"$tmp/config/qt6ct/qt6ct.conf"
    look=(QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$tmp/config")
fi

window=
for attempt in 1 2 3; do
    (cd "$tmp" && exec env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$tmp/xdg" "${look[@]}" ./varnel) \
        >"$tmp/varnel.log" 2>&1 &
    pid=$!
    for _ in $(seq 100); do
        window=$(timeout 3 xdotool search --all --onlyvisible --pid "$pid" --name '^Varnel$' \
            2>/dev/null | head -n 1) || true
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$window" ] && break
    # A fresh server can refuse its first client for a moment: try again.
    kill -KILL "$pid" 2>/dev/null || true
    pid=
    sleep 1
done
[ -n "$window" ] || { cat "$tmp/varnel.log"; echo "no window \"Varnel\"" >&2; exit 1; }

timeout 5 xdotool mousemove 1020 760 # away from the window: no tooltip
timeout 5 xdotool windowfocus --sync "$window"
sleep 0.5
key() { timeout 5 xdotool key --delay 40 "$@"; }
text() { timeout 5 xdotool type --delay 40 "$1"; }
key Down                     # X: Center
key Tab Down Down            # Z: Align Top
key Tab Tab Tab Tab Tab Tab Tab # to the floor/ceiling half's X texture position
text 16
key Tab
text 8
key Tab
text 1000
key Tab
key minus
text 36
key Tab Tab Tab              # the focus back to the X alignment list
sleep 1                      # let the window paint

mkdir -p "$(dirname "$output")"
# No time stamps in the file, so the same window gives the same bytes.
timeout 20 import -window "$window" -define png:exclude-chunks=date,time "png:$output"
echo "wrote $output ($(identify -format '%wx%h' "$output"))"

# Quit, and give the program a few seconds to save into its (temporary) folder.
timeout 5 xdotool key ctrl+q || true
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
exit 0
