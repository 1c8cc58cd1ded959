#!/usr/bin/env bash
# Runs a command on Wayland: a headless weston of its own, and Qt's wayland
# platform, which Qt picks in every GNOME or KDE Wayland session.
#   bash tests/ui/under_weston.sh COMMAND...
set -u
export XDG_RUNTIME_DIR=$(mktemp -d) WAYLAND_DISPLAY=wayland-varnel QT_QPA_PLATFORM=wayland
# Under the sanitizers, no leak check: the wayland platform loads and unloads graphics libraries
# whose leftovers leak checking can no longer even name. The offscreen runs check Varnel's own.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
trap 'kill $weston 2>/dev/null; rm -rf "$XDG_RUNTIME_DIR"' EXIT
chmod 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$XDG_RUNTIME_DIR/log" 2>&1 &
weston=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || { cat "$XDG_RUNTIME_DIR/log"; exit 1; }
"$@"
