#!/usr/bin/env bash
# Proves varnel.exe under Wine on an X server of its own, with real keys and clicks (xdotool) and the clipboard as
# another program reads it (xclip); probe.exe reads what the window shows. Every alignment of both axes with typed
# sizes, the floor/ceiling half, each copy key from inside a field and each Copy button, the empty-field rule,
# refused, trimmed and empty pastes, the copy keys on a default row, the Tab order and Tab back into a field, the
# focus frame of the lists, notes beside their controls, tooltips, Return on a button, texture sizes through Ctrl+O,
# About, Ctrl+Q saving everything and the next start restoring it onto the screen, the Run of Walls window, the layout
# at 144 DPI, saving at the end of the session, and the command line answered without the window. The focus, the notes and Tab are checked once more under a window manager (openbox).
#   bash tests/win32/e2e.sh VARNEL.EXE PROBE.EXE   (WINEPREFIX: the Wine prefix, made when missing)
set -uo pipefail
failures=0
check() { if eval "$1"; then echo "PASS: $2"; else echo "FAIL: $2"; failures=$((failures + 1)); fi; }
within() { local end=$((SECONDS + $1)); shift; until eval "$*"; do [ $SECONDS -lt $end ] || return 1; sleep 0.1; done; }
tmp=$(mktemp -d) && dir=$tmp/Varnel && mkdir -p "$dir" "$tmp/textures" && cp "$1" "$dir/" && cp "$2" "$tmp/"
export WINEPREFIX=${WINEPREFIX:-$tmp/wineprefix} WINEDEBUG=-all
n=60 && while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
Xvfb :$n -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 & xvfb=$!
export DISPLAY=:$n
managed() { wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$1" /f >/dev/null 2>&1; }
wm=
trap 'wine reg delete "HKCU\\Control Panel\\Desktop" /v LogPixels /f >/dev/null 2>&1; managed N; wineserver -k
    [ -z "$wm" ] || kill $wm; kill $xvfb; rm -rf "$tmp"' EXIT
within 10 'xdotool getdisplaygeometry >/dev/null 2>&1' || { echo "FAIL: no X server"; exit 1; }
wineserver -k 2>/dev/null # a server started without this display would hold the clipboard without one
[ -f "$WINEPREFIX/system.reg" ] || wine wineboot -i >/dev/null 2>&1
wineserver -p # one server for every start below
managed N     # no window manager

probe() { wine "$tmp/probe.exe" "$@" >"$tmp/state" 2>/dev/null; }
get() { awk -F'\t' -v n="$1" -v c="${2:-2}" '$1 == n { print $c }' "$tmp/state"; } # NAME [COLUMN] of the last probe
# NAME VALUE [COLUMN]: waits for the window to show it, so a check never runs ahead of the keys before it.
is() { name=$1 value=$2 column=${3:-2} && within 3 'probe && [ "$(get "$name" "$column")" = "$value" ]'; }
key() { xdotool key --delay 30 "$@"; }
type() { xdotool type --delay 30 -- "$1"; }
# A click at NAME's centre, the pointer coming from elsewhere: Wine drops a click that no motion led to. 5: the wheel.
click() { probe && xdotool mousemove 1 1 sleep 0.05 mousemove $(get "$1" 5) sleep 0.05 click "${2:-1}"; }
clip() { printf '%s' "$1" | xclip -selection clipboard; }
copied() { want=$1 && within 5 '[ "$(xclip -o -selection clipboard 2>/dev/null)" = "$want" ]'; }
shown() { awk -F'\t' -v c="$1" '$1 ~ /^(note|runNote)$/ && $6 == "shown" { print $c; exit }' "$tmp/state"; }
noted() { want=$1 && within 3 'probe && [ "$(shown 2)" = "$want" ]'; } # the note shown, in either window
# The note of the last probe meets NAME edge to edge and covers none of it: it stands by what it speaks of.
beside() { awk -F'\t' -v n="$1" '$1 ~ /^(note|runNote)$/ && $6 == "shown" { split($7, a, " ") } $1 == n { split($7, b, " ") }
    END { exit !(a[1] <= b[3] && b[1] <= a[3] && a[2] <= b[4] && b[2] <= a[4] &&
                 (a[3] == b[1] || b[3] == a[1] || a[4] == b[2] || b[4] == a[2])) }' "$tmp/state"; }
focus() { xdotool windowfocus --sync "$window"; }
start() { # starts the copy in $dir and waits for its window, focused, with no tooltip showing over it
    xdotool mousemove 1 1 && (cd "$dir" && exec wine varnel.exe) >>"$tmp/log" 2>&1 & pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Varnel$' | head -n 1)
    check '[ -n "$window" ] && focus' "the window is shown and focused" && sleep 0.3
}
ended() { check 'within 10 "! kill -0 $pid 2>/dev/null"' "$1"; }
open() { # a file through Ctrl+O's dialog
    key ctrl+o && dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Texture Sizes from File$' | head -n 1)
    xdotool windowfocus --sync "$dialog" && sleep 0.3 && type "$1" && key Return && sleep 0.5 && focus
}
printf '\0\0\2\0\0\0\0\0\0\0\0\0\x30\0\x14\0\x18\0' >"$tmp/textures/wall.tga" && head -c 2880 /dev/zero >>"$tmp/textures/wall.tga"
echo "not a picture" >"$tmp/textures/notes.txt"
textures="Z:${tmp//\//\\}\\textures"

# What a window manager may change, from a fresh start on the default rows: the focus frame, Tab back into a field,
# the notes' places, and the copy keys on a default row, which belong to the window all the same (no cut, no undo).
session() {
    check 'is lstPosX framed 8 && [ "$(get lstPosZ 8)" = plain ]' "$1: the X list, focused at the start, shows a frame"
    key Tab && check 'is lstPosZ framed 8 && [ "$(get lstPosX 8)" = plain ]' "$1: Tab takes the frame to the Z list"
    key Tab && type -3 && clip marker
    for axis in X Z; do
        key "ctrl+${axis,,}" && check "noted 'Nothing to copy: $axis is on its default row' && beside cmdCopy$axis &&
            [ \"\$(get txtFCTextX)\" = -3 ]" "$1: Ctrl+$axis on $axis's default row says so beside its Copy, changing no field"
    done
    check 'copied marker' "$1: the clipboard keeps what it held"
    # Tab back into a field selects its text, so 21 replaces the 33 typed before: X on Center with Wall X 1e3 gives
    # -489.5 (not 2133 and 1.066728E+07); Map X 0 gives -21. A click is waited for: a window manager may hold it back
    # while keys pass.
    while IFS='|' read -r into field result want; do
        eval "$into" && type 33 && key Tab shift+Tab && type 21
        check "is $field 21 && is $result $want" "$1: Tab back into $field selects it: 21, and $result shows $want"
    done <<'EOF'
click lstPosX && is focus lstPosX && key Tab Tab Tab && type 1e3 && key shift+Tab|cmbTextX|lblX|-489.5
click txtFCTextZ && is focus txtFCTextZ && key shift+Tab|txtFCTextX|lblFCX|-21
EOF
    key ctrl+w && check 'noted "Copied -21" && beside cmdFCCopyX' "$1: the note of a copy stands beside its Copy"
    open "$textures\\notes.txt"
    check 'noted "Not an image Varnel can read: notes.txt" && beside lblTextX && [ "$(get cmbTextX)" = 21 ]' \
        "$1: a file that is no image is refused, beside Text X"
    key ctrl+q && ended "$1: Ctrl+Q quits"
}

# The first start reads a place that the next ones must keep: 1500 and 3000 twips are 100 and 200 pixels at 96 DPI.
printf '[position]\r\ntop=1500\r\nleft=3000\r\n' >"$dir/Varnel.ini"
start
check 'probe && [ "$(get window)" = "200 100 677 588" ] && [ "$(get window 4)" = "471 444" ]' \
    "the window stands where Varnel.ini says, its client area 7065 by 6660 twips at 96 DPI"
check '[ "$(get focus)" = lstPosX ] && [ "$(get lblX)$(get lblZ)$(get lblFCX)$(get lblFCZ)" = 0000 ] &&
    [ "$(get cmbTextX 3)$(get cmdCopyZ 3)" = disableddisabled ]' "both axes start on their default rows, all results 0"
session "without a window manager"
printf '[position]\r\ntop=1500\r\nleft=3000\r\n' >"$dir/Varnel.ini" && start

# Every alignment of X with typed sizes: T = 60+4, W = 16 give 32, 0, 24, 48, -48.
click lstPosX && key Home Tab Tab && type 60+4 && key Tab && type 16
check 'is lblX 32 && [ "$(get cmbTextX 3)" = enabled ]' "X centred on the left edge: 32, its sizes enabled"
click lstPosX && key Home Down
check 'is lblX 0 && [ "$(get cmbTextX 3)$(get cmdCopyX 3)" = disableddisabled ]' "X aligned left: 0, its sizes disabled"
for expected in 24 48 -48; do key Down && check "is lblX $expected" "the next X alignment: $expected"; done
# And Z on its last row: T = 5, W = 2 give -3.
click lstPosZ && key End Tab Tab && type 5 && key Tab Tab && type 2
check 'is lblZ -3' "Z centred on the top edge: -3"
click lstPosZ && key End

# The Tab order runs down each column of each half; a floor/ceiling field entered by Tab selects its text.
order= && focused=lstPosZ
for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14; do
    key Tab && within 3 'probe && [ "$(get focus)" != "$focused" ]' && focused=$(get focus) && order="$order $focused"
done
check '[ "$order" = " cmbTextX cmbTextZ cmbWallX cmbWallZ cmdCopyX cmdCopyZ txtFCTextX txtFCTextZ txtFCX txtFCZ'\
' cmdFCCopyX cmdFCCopyZ lstPosX lstPosZ" ]' "Tab visits every control in the window's order"
key Tab Tab Tab Tab Tab Tab Tab && check 'is txtFCTextX 0:1 4' "entering Text X by Tab selects its text"
# The floor/ceiling half: P = 3/2, M = 20 give 2.5; P = 0, M = -3 give 5; M = 40000 is off the grid.
type 3/2 && key Tab Tab && type 20 && key Tab && type 40000
check 'is lblFCX 2.5 && [ "$(get lblFCZ)" = Error ]' "3/2 on map X 20: 2.5; map Z 40000: Error"
key BackSpace BackSpace BackSpace BackSpace BackSpace
check 'is txtFCZ 0 && [ "$(get txtFCZ 4)" = 0:1 ] && [ "$(get lblFCZ)" = 0 ]' "an emptied field shows 0, selected"
type -3 && check 'is lblFCZ 5' "the next key replaces the 0: -3 gives 5"

# Each copy key from inside a field copies, and leaves the field as it was.
key ctrl+w && check 'copied 2.5 && noted "Copied 2.5"' "Ctrl+W in Map Z copies the floor X offset, and says so"
key ctrl+y && check 'copied 5' "Ctrl+Y copies the floor Z offset"
key ctrl+x && check 'copied -48 && is txtFCZ -3' "Ctrl+X copies the wall X offset and cuts nothing"
key ctrl+z && check 'copied -3 && is txtFCZ -3' "Ctrl+Z copies the wall Z offset and undoes nothing"
# A paste that would not fit is refused whole, with a note beside the field; blanks and line breaks around one go.
click txtFCX && check 'is txtFCX 2:2 4' "a click into Map X places the caret, after 20"
clip 123456789 && key ctrl+v
check 'noted "At most 8 characters" && beside txtFCX && [ "$(get txtFCX)" = 20 ]' "a 9-character paste after 20 is refused"
key shift+Home && clip $'  -32.0000\r\n ' && key ctrl+v
check 'is txtFCX -32.0000 && [ "$(get lblFCX)" = -1.5 ]' "a paste loses its blanks and fills the field: -32.0000"
# A paste with nothing to paste changes nothing, not even the selection of the last two characters: the Shift+Left
# that comes after it takes in one more.
key shift+Left shift+Left
while IFS='|' read -r put what; do
    eval "$put" && key ctrl+v shift+Left
    check 'is txtFCX 5:8 4 && [ "$(get txtFCX)" = -32.0000 ]' "a paste of $what changes nothing" && key shift+Right
done <<EOF
clip $' \t\r\n '|blanks and line breaks
xclip -selection clipboard -t image/png <"$(dirname "$0")/../../resources/varnel.png"|an image alone
EOF
head -c 1000000 /dev/zero | tr '\0' 7 | xclip -selection clipboard && click cmbWallX && key ctrl+v
check 'noted "At most 64 characters" && beside cmbWallX && [ "$(get cmbWallX)" = 16 ]' "a paste of 1 MB into Wall X is refused"
# Tooltips: a control's own words, and over a row of a list that row's formula.
while IFS='|' read -r name row words; do
    probe && xdotool mousemove 1 1 sleep 0.05 mousemove $(get "$name" 7 |
        awk -v r="$row" '{ print $1 + 20, r == "" ? ($2 + $4) / 2 : int($2 + 2 + (2 * r + 1) * ($4 - $2 - 4) / 10) }')
    check "within 3 'probe && [ \"\$(get tooltip 3)\" = shown ] && [[ \"\$(get tooltip)\" = \"$words\"* ]]'" "a tooltip: $words"
done <<'EOF'
cmbTextX||Texture X size. Type the size in map units
txtFCZ||Map Z coordinate.
lblX||Wall X offset. Ctrl+X copies this value.
lstPosX|3|Align right: offset = texture size − wall size
EOF
# Each Copy button; a copy note never takes the click meant for the control below it; Return presses a button.
click cmdCopyX && click cmdCopyZ && check 'copied -3' "Copy X, then Copy Z right away: -3"
click cmdFCCopyX && check 'copied -1.5' "Copy of the floor X offset"
click cmdFCCopyZ && check 'copied 5' "Copy of the floor Z offset"
key shift+Tab Return && check 'copied -1.5' "Return presses the focused Copy"

# Texture sizes through Ctrl+O: a TGA of 48 by 20.
open "$textures\\wall.tga"
check 'is cmbTextX 48 && [ "$(get cmbTextZ)" = 20 ] && [ "$(get lblX)" = -32 ]' "Ctrl+O takes 48 by 20 from wall.tga"
key ctrl+t && check 'is window topmost 3' "Ctrl+T keeps the window on top"
key alt+h a && check 'within 5 "probe && [ \"\$(get about | head -n 1)/\$(get about 3 | head -n 1)\" = modal/topmost ]" &&
    get about | grep -qx "Version 1.0.4"' "About opens modal, above the window, with the version"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^About Varnel.exe$')" && key Return
check 'within 5 "probe && ! grep -q ^about $tmp/state"' "Return closes About"
focus && key ctrl+q && ended "Ctrl+Q quits"
saved="[position] top=1500 left=3000 [lastsize] textx=48 textz=20 wallx=16 wallz=2 [options] ontop=1 wrap=0"
saved+=" [alignment] x=4 z=4 [floorceiling] textx=3/2 mapx=-32.0000 textz=0 mapz=-3 [run] texture=64 row=1 on=0"
saved+=" add=0 whole=1 walls= open=0 top=345 left=7800"
check '[ "$(tr -d "\r" <"$dir/Varnel.ini" | paste -sd " ")" = "$saved" ]' "Varnel.ini holds everything, in place"

# The next start restores it all; a place partly off the screen moves onto it.
sed -i 's/^left=3000/left=-30000/' "$dir/Varnel.ini" && start
check 'probe && [ "$(get window)" = "0 100 477 588" ] && [ "$(get window 3)" = topmost ]' "back on the screen, on top"
check '[ "$(get cmbTextX)/$(get cmbTextZ)/$(get cmbWallX)/$(get cmbWallZ)" = 48/20/16/2 ] &&
    [ "$(get lstPosX 4)$(get lstPosZ 4)" = 44 ] && [ "$(get txtFCTextX)/$(get txtFCX)/$(get txtFCZ)" = 3/2/-32.0000/-3 ] &&
    [ "$(get lblX)/$(get lblZ)/$(get lblFCX)/$(get lblFCZ)" = -32/-18/-1.5/5 ]' "sizes, rows, fields and results return"
key ctrl+t && probe && read -r _ top right _ <<<"$(get window)" && xdotool mousemove $((right - 12)) $((top + 11)) click 1
ended "the close box quits"
check 'tr -d "\r" <"$dir/Varnel.ini" | grep -qz "left=0.*ontop=0"' "and saves the new place and keep-on-top"

# The Run of Walls window, beside the window and owned by it, on walls 45, 64 and 45 with a 64-wide texture; wrap
# takes both windows' results into the texture (X: -32 into 48 is 16, Z: -18 into 20 is 2). The window open at the
# quit opens again where it was, with the same run; Esc closes it.
start && key ctrl+r
check 'within 5 "probe && [ \"\$(get run 3)/\$(get run 4)/\$(get focus)\" = shown/owned/txtRunWalls ]"' \
    "Ctrl+R opens the run window, owned by the window, the focus in its walls"
type 45 && key Return && type 64 && key Return && type 45
check 'is lstRunOffsets "1   45   0|2   64   45|3   45   109"' "the run aligned left: 0, 45 and 109"
key Tab && check 'is focus lstRunOffsets' "Tab leaves the walls" && key shift+Tab
check 'is focus txtRunWalls && [ "$(get txtRunWalls)" = "45\\r\\n64\\r\\n45" ]' "and Shift+Tab comes back to them as they were"
click lstRunAlign && check 'is lstRunOffsets "1   45   -45|2   64   0|3   45   64"' "centred on the run: -45, 0 and 64"
for wall in "1 -45" "2 0" "3 64"; do
    set -- $wall && key ctrl+n
    check "copied $2 && noted 'Copied wall $1 of 3: $2' && is lstRunOffsets $(($1 - 1)) 4" "Copy Next copies wall $1, $2"
done
key ctrl+shift+c && check 'copied "$(printf -- "-45\n0\n64")" && noted "Copied 3 offsets" && beside cmdCopyAll &&
    [ "$(get clipboard)" = "-45\\r\\n0\\r\\n64" ]' "Copy All copies every offset, a line each, in Windows' line breaks"
click chkRunWrap && check 'is lstRunOffsets "1   45   19|2   64   0|3   45   0" && [ "$(get lblX)/$(get lblZ)" = 16/2 ]' \
    "wrap takes both windows' offsets into their textures"
probe && read -r left top _ <<<"$(get lstRunOffsets 7)" && xdotool mousemove $((left + 20)) $((top + 6)) click 1
check 'copied 19' "a click on wall 1 copies its offset" && place=$(get run)
click Label17 && key ctrl+q && ended "Ctrl+Q in the window quits with the run window open"
start && check 'within 5 "probe && [ \"\$(get run)/\$(get run 3)\" = \"$place/shown\" ]" &&
    is lstRunOffsets "1   45   19|2   64   0|3   45   0"' "the next start opens it again where it was, with the same run"
key Escape && check 'within 3 "probe && [ \"\$(get run 3)/\$(get focus)\" = hidden/lstPosX ]"' "Esc closes it, back to the window"
key ctrl+q && ended "and Ctrl+Q quits"
check 'tr -d "\r" <"$dir/Varnel.ini" | paste -sd " " | grep -q "wrap=1 .* \[run\] texture=64 row=2 on=0 add=0 whole=1 walls=45;64;45 open=0"' \
    "Varnel.ini keeps the run and wrap"

# As a desktop has it: the window manager owns the frame, the activation and the focus between windows.
openbox >/dev/null 2>&1 & wm=$!
within 10 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window' && managed Y
rm "$dir/Varnel.ini" && start && session "under openbox"
kill $wm && wm= && managed N

# A copy under Program Files keeps its settings in %APPDATA%\Varnel. At 144 DPI every twip is a tenth of a
# pixel. The end of the session saves, as Quit does.
installed="$WINEPREFIX/drive_c/Program Files/Varnel" && ini="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Varnel"
rm -rf "$installed" "$ini" && mkdir -p "$installed" && mv "$dir/varnel.exe" "$installed/" && dir=$installed
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 && start
check 'probe && [ "$(get window 4)" = "707 666" ]' "at 144 DPI the client area is 707 by 666 pixels"
key Tab Tab && type 96 && wine wineboot --end-session && ended "the end of the session ends it"
check 'grep -q "^textx=96" "$ini/Varnel.ini" && [ ! -e "$installed/Varnel.ini" ]' \
    "and saves what was typed, in the user's AppData"

# --version, --help and an unknown option answer as on Linux and end; a window or message box would outlast the limit.
answer() { (cd "$dir" && timeout 20 wine varnel.exe "$@") >"$tmp/out" 2>"$tmp/err"; }
check 'answer --version && [ "$(cat "$tmp/out")" = "Varnel 1.0.4" ]' "--version prints Varnel 1.0.4 and opens no window"
check 'answer --help && grep -qFx "Settings file: C:\\users\\$(id -un)\\AppData\\Roaming\\Varnel\\Varnel.ini" "$tmp/out"' "--help names that file"
check 'answer --bogus; [ $? = 2 ] && grep -qFx "varnel: Unknown option '"'--bogus'. Try 'varnel --help'."'" "$tmp/err"' "--bogus exits 2"
rm -rf "$installed" "$ini"
[ $failures -eq 0 ] && echo "PASS: win32 e2e" && exit 0
echo "FAIL: win32 e2e ($failures failed)" && exit 1
