#!/usr/bin/env bash
# Proves the installer under Wine, in a prefix of its own: a silent install for everyone with its files (those the
# zip carries), Start menu entry and uninstall entry; the installed varnel.exe keeping its settings per user, an
# install and an uninstall refused while it runs, an install over it keeping them, uninstalls that remove everything
# else, with /REMOVESETTINGS the settings too; one install for the current user; and refused folders (other files in
# it, one that cannot be made, a full disk) and a second installer at once, each leaving nothing behind.
#   bash tests/win32/installer.sh SETUP.EXE STAGED-FOLDER
set -uo pipefail
failures=0
check() { if eval "$1"; then echo "PASS: $2"; else echo "FAIL: $2"; failures=$((failures + 1)); fi; }
within() { local end=$((SECONDS + $1)); shift; until eval "$*"; do [ $SECONDS -lt $end ] || return 1; sleep 0.2; done; }
tmp=$(mktemp -d) && setup=$1 stage=$2
# No menu entries for the Linux desktop from the shortcuts.
export WINEPREFIX=$tmp/prefix WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
n=70 && while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 & xvfb=$!
export DISPLAY=:$n
mkdir -p "$tmp/tiny" && trap 'wineserver -k; kill $xvfb; umount "$tmp/tiny" 2>/dev/null; rm -rf "$tmp"' EXIT
wine wineboot -i >/dev/null 2>&1 && wineserver -p
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
win() { local p=${1//\//\\} && echo "Z:$p"; }
# A command line as Windows passes it: /D= and _?= take the rest of the line, spaces and all, unquoted.
run() { printf '@echo off\r\n%s\r\nexit /b %%errorlevel%%\r\n' "$1" >"$tmp/run.bat" && wine cmd /c "$(win "$tmp/run.bat")"; }
install() { run "\"$(win "$setup")\" /S $*"; }
c=$WINEPREFIX/drive_c u=$(id -un) uninstall='Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnel'
machine="$c/Program Files/Varnel" user="$c/users/$u/AppData/Local/Programs/Varnel" ini="$c/users/$u/AppData/Roaming/Varnel"
menu=Microsoft/Windows/Start\ Menu/Programs/Varnel.lnk
# FOLDER: the staged files, the marker and the uninstaller; nothing else.
installed() { diff -r -x Varnel.installed -x uninstall.exe "$stage" "$1" && [ -f "$1/Varnel.installed" ] && [ -f "$1/uninstall.exe" ]; }
# KEY FOLDER: the uninstall entry for a copy in FOLDER, as Windows spells it.
entry() {
    wine reg query "$1\\$uninstall" 2>/dev/null | tr -d '\r' >"$tmp/key" || return 1
    for value in "DisplayName    REG_SZ    Varnel" "DisplayVersion    REG_SZ    1.0.4" "Publisher    REG_SZ    The Varnel" \
        "DisplayIcon    REG_SZ    $2\\varnel.exe,0" "EstimatedSize    REG_DWORD    0x" "UninstallString    REG_SZ    \"$2\\uninstall.exe\"" \
        "QuietUninstallString    REG_SZ    \"$2\\uninstall.exe\" /S"; do grep -qF "$value" "$tmp/key" || return 1; done
}
none() { ! wine reg query "HKLM\\$uninstall" >/dev/null 2>&1 && ! wine reg query "HKCU\\$uninstall" >/dev/null 2>&1; }
# KEY [SWITCH]: runs the entry's QuietUninstallString as Windows would; the uninstaller copies itself away and
# returns at once, so this waits for the entry, which goes last.
remove() {
    run "$(wine reg query "$1\\$uninstall" /v QuietUninstallString | tr -d '\r' | sed -n 's/.*REG_SZ    //p') ${2:-}" &&
        within 30 "! wine reg query '$1\\$uninstall' >/dev/null 2>&1"
}
start() {
    (cd "$1" && exec wine varnel.exe) & pid=$!
    xdotool windowfocus --sync "$(timeout 30 xdotool search --sync --onlyvisible --name '^Varnel$' | head -n 1)"
}
quit() { xdotool key ctrl+q && within 10 "! kill -0 $pid 2>/dev/null"; }

check 'install && installed "$machine" && [ -f "$c/ProgramData/$menu" ] && entry HKLM "C:\\Program Files\\Varnel"' \
    "a silent install puts the zip's files under Program Files, a Start menu entry for everyone and the entry in HKLM"
start "$machine" && xdotool key --delay 30 Tab Tab && xdotool type --delay 30 96
check 'run "\"C:\\Program Files\\Varnel\\uninstall.exe\" /S _?=C:\\Program Files\\Varnel"; [ $? = 4 ] && install; [ $? = 4 ] &&
    installed "$machine"' "while Varnel runs, a silent uninstall and a silent install fail with 4 and change nothing"
check 'quit && grep -q "^textx=96" "$ini/Varnel.ini" && [ ! -e "$machine/Varnel.ini" ]' \
    "the installed copy keeps its settings in %APPDATA%\\Varnel, not beside itself"
check 'install && installed "$machine" && grep -q "^textx=96" "$ini/Varnel.ini"' "installing over it keeps the settings"
check 'remove HKLM && [ ! -e "$machine" ] && [ ! -e "$c/ProgramData/$menu" ] && none && grep -q "^textx=96" "$ini/Varnel.ini"' \
    "a silent uninstall removes the files, the folder, the entry and the shortcut, and keeps the settings"
check 'install && remove HKLM /REMOVESETTINGS && [ ! -e "$machine" ] && [ ! -e "$ini" ]' "/REMOVESETTINGS removes them too"
check 'install /CURRENTUSER && installed "$user" && [ -f "$c/users/$u/AppData/Roaming/$menu" ] &&
    entry HKCU "C:\\users\\$u\\AppData\\Local\\Programs\\Varnel" && ! wine reg query "HKLM\\$uninstall" >/dev/null 2>&1' \
    "/CURRENTUSER installs for the user alone, under %LOCALAPPDATA%\\Programs"
start "$user" && check 'quit && [ -f "$ini/Varnel.ini" ] && [ ! -e "$user/Varnel.ini" ]' \
    "that copy, in a folder the user can write, keeps its settings per user too"
check 'remove HKCU && [ ! -e "$user" ] && [ ! -e "$c/users/$u/AppData/Roaming/$menu" ] && none' "and its uninstall removes it"

mkdir "$tmp/other" && echo mine >"$tmp/other/notes.txt" && echo x >"$tmp/file"
check 'install "/D=$(win "$tmp/other")"; [ $? = 5 ] && [ "$(ls "$tmp/other")" = notes.txt ] && none' \
    "a folder holding other files is refused with 5, left as it was"
check 'install "/D=$(win "$tmp/file")\\Varnel"; [ $? = 6 ] && [ "$(cat "$tmp/file")" = x ] && none' \
    "a folder that cannot be made is refused with 6"
# A full disk: a tiny file system where root may mount one, else a limit on a file's size, which fails a write alike.
mount -t tmpfs -o size=300k tmpfs "$tmp/tiny" 2>/dev/null && limit=unlimited || limit=300
check '(trap "" XFSZ && ulimit -f $limit && install "/D=$(win "$tmp/tiny")\\Varnel"); [ $? = 2 ] && [ -z "$(ls -A "$tmp/tiny")" ] &&
    none' "a full disk fails with 2 and leaves no half-installed copy"
wine "$setup" & within 30 'xdotool search --onlyvisible --name "^Varnel 1.0.4 Setup$" >/dev/null'
check 'install; [ $? = 3 ] && [ ! -e "$machine" ] && none' "a second installer while one runs fails with 3"
[ $failures -eq 0 ] && echo "PASS: installer" && exit 0
echo "FAIL: installer ($failures failed)" && exit 1
