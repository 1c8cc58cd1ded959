#!/usr/bin/env bash
# Checks what the install rules and the portable archive deliver.
#
#   package_test.sh install BUILD_DIR SOURCE_DIR
#       `cmake --install BUILD_DIR` into a fresh prefix gives the GNU layout:
#       bin/varnel, share/doc/Varnel/{README.md,LICENSE}, the desktop entry,
#       the metainfo and the six hicolor icons, all named after one app id,
#       and nothing of the portable folder.
#   package_test.sh cpack BUILD_DIR SOURCE_DIR
#       Makes the archive with BUILD_DIR's CPack configuration in a fresh
#       folder, then checks it as below.
#   package_test.sh archive ARCHIVE SOURCE_DIR
#       The archive is Varnel-1.0.4-Linux-<machine>.tar.gz and unpacks to one
#       folder of the same name holding exactly varnel, README.md, LICENSE and
#       varnel.png; varnel is executable and finds every library it needs.
#   xvfb-run -a package_test.sh run ARCHIVE
#       Unpacks the archive into a fresh folder and starts the program there
#       from another working directory; Ctrl+Q must write Varnel.ini into the
#       unpacked folder. A value changed in that file must survive moving the
#       folder elsewhere and running it again, so the folder keeps its settings.
#       Every wait is bounded; it ends within 90 seconds.
#
# Prints one PASS or FAIL line per check; exits 0 only when all pass.
set -uo pipefail

version=1.0.4 # major.minor.revision of the program
# shellcheck source=../shell/checks.sh
source "$(dirname "$0")/../shell/checks.sh"
tmp=$(mktemp -d)
cleanup() {
    if alive; then
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
    rm -rf "$tmp"
}
trap cleanup EXIT
finish() {
    if [ "$failures" -eq 0 ]; then
        echo "PASS: package_test $1"
        exit 0
    fi
    echo "FAIL: package_test $1 ($failures failed)"
    exit 1
}
abort() {
    fail "$*"
    finish "$command"
}
usage() {
    echo "usage: $0 install|cpack BUILD_DIR SOURCE_DIR | archive ARCHIVE SOURCE_DIR | run ARCHIVE" >&2
    exit 2
}

# check CONDITION... -- MESSAGE: PASS or FAIL with MESSAGE.
check() {
    local condition=()
    while [ "$1" != -- ]; do
        condition+=("$1")
        shift
    done
    shift
    if "${condition[@]}"; then pass "$*"; else fail "$*"; fi
}
is_elf() { [ "$(head -c 4 "$1" 2>/dev/null | od -An -c | tr -d ' ')" = '177ELF' ]; }
same() { cmp -s "$1" "$2"; }
# png_size FILE: "WIDTHxHEIGHT" of a PNG, nothing when FILE is not one.
png_size() {
    [ "$(head -c 8 "$1" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || return 0
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ printf "%dx%d", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }'
}
# The one desktop entry in SOURCE_DIR/packaging names the app id.
app_id() {
    local entries=("$1"/packaging/*.desktop)
    [ ${#entries[@]} -eq 1 ] && [ -f "${entries[0]}" ] || abort "expected one desktop entry in $1/packaging"
    basename "${entries[0]}" .desktop
}
# xml_text FILE ELEMENT: the text of the first <ELEMENT ...>text</ELEMENT>.
xml_text() { sed -n "s:.*<$2\( [^>]*\)\?>\([^<]*\)</$2>.*:\2:p" "$1" | head -n 1; }

# ---------------------------------------------------------------- install
check_install() {
    local build=$1 source=$2 id prefix
    id=$(app_id "$source")
    prefix=$tmp/prefix
    cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 ||
        { cat "$tmp/install.log"; abort "cmake --install $build failed"; }

    check [ -x "$prefix/bin/varnel" ] -- "bin/varnel is installed and executable"
    check is_elf "$prefix/bin/varnel" -- "bin/varnel is a program"
    check [ "$(ls -A "$prefix" | tr '\n' ' ')" = "bin share " ] -- \
        "the prefix holds only bin/ and share/ (found: $(ls -A "$prefix" | tr '\n' ' '))"
    check [ "$(ls -A "$prefix/bin")" = varnel ] -- "bin/ holds only varnel"
    check same "$source/README.md" "$prefix/share/doc/Varnel/README.md" -- "share/doc/Varnel/README.md"
    check same "$source/LICENSE" "$prefix/share/doc/Varnel/LICENSE" -- "share/doc/Varnel/LICENSE"

    local desktop=$prefix/share/applications/$id.desktop
    check same "$source/packaging/$id.desktop" "$desktop" -- "share/applications/$id.desktop"
    local icon exec
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    check [ "$icon" = "$id" ] -- "the desktop entry's icon is the app id ($icon)"
    check [ -x "$prefix/bin/$exec" ] -- "the desktop entry starts the installed program ($exec)"

    local metainfo=$prefix/share/metainfo/$id.metainfo.xml
    check same "$source/packaging/$id.metainfo.xml" "$metainfo" -- "share/metainfo/$id.metainfo.xml"
    check [ "$(xml_text "$metainfo" id)" = "$id" ] -- "the metainfo's id is the app id"
    local launchable
    launchable=$(xml_text "$metainfo" launchable)
    check [ "$launchable" = "$id.desktop" ] -- "the metainfo launches $launchable"
    check [ "$(xml_text "$metainfo" binary)" = "$exec" ] -- "the metainfo provides the program $exec"
    check grep -q "<release version=\"$version\"" "$metainfo" -- "the metainfo lists release $version"

    local size file count
    for size in 16 32 48 64 128 256; do
        file=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
        check [ "$(png_size "$file")" = "${size}x$size" ] -- \
            "hicolor ${size}x$size icon is a ${size}x$size PNG (is: $(png_size "$file"))"
    done
    count=$(find "$prefix/share/icons" -type f | wc -l)
    check [ "$count" -eq 6 ] -- "six icon files, no others ($count)"
    finish install
}

# ---------------------------------------------------------------- archive
check_archive() {
    local archive=$1 source=$2 name top entries expected
    name=$(basename "$archive")
    top=${name%.tar.gz}
    check [ "$name" = "Varnel-$version-Linux-$(uname -m).tar.gz" ] -- "the archive is named $name"
    [ -f "$archive" ] || abort "no archive $archive"

    entries=$(tar -tzf "$archive") || abort "tar cannot list $archive"
    check [ -z "$(grep -v "^$top/" <<<"$entries")" ] -- "every entry lies in the one folder $top/"
    expected=$(printf '%s\n' LICENSE README.md varnel varnel.png)
    check [ "$(sed -n "s:^$top/\(.\+\):\1:p" <<<"$entries" | sed 's:/$::' | sort)" = "$expected" ] -- \
        "the folder holds exactly varnel, README.md, LICENSE and varnel.png: $(sed -n "s:^$top/\(.\+\):\1:p" <<<"$entries" | tr '\n' ' ')"

    mkdir "$tmp/unpacked"
    tar -xzf "$archive" -C "$tmp/unpacked" || abort "tar cannot unpack $archive"
    local folder=$tmp/unpacked/$top
    check [ -x "$folder/varnel" ] -- "varnel is executable"
    check is_elf "$folder/varnel" -- "varnel is a program"
    check same "$source/README.md" "$folder/README.md" -- "README.md is the project's"
    check same "$source/LICENSE" "$folder/LICENSE" -- "LICENSE is the project's"
    check same "$source/resources/varnel.png" "$folder/varnel.png" -- "varnel.png is the program icon"
    check [ "$(png_size "$folder/varnel.png")" = 32x32 ] -- "varnel.png is 32x32"
    local missing
    missing=$(ldd "$folder/varnel" 2>&1 | grep 'not found')
    check [ -z "$missing" ] -- "every library varnel needs is found${missing:+: $missing}"
    finish archive
}

# ---------------------------------------------------------------- run
deadline=$((SECONDS + 90))
wait_until() {
    local until=$((SECONDS + $1))
    shift
    while ! "$@"; do
        { [ "$SECONDS" -ge "$until" ] || [ "$SECONDS" -ge "$deadline" ]; } && return 1
        sleep 0.1
    done
}

# start_and_quit FOLDER: runs FOLDER/varnel from $tmp (not FOLDER), waits for
# its window and quits it with Ctrl+Q.
start_and_quit() {
    local folder=$1 starts=0 window=
    start() {
        starts=$((starts + 1))
        (cd "$tmp" && exec env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$tmp/xdg" "$folder/varnel") \
            >"$tmp/varnel.log" 2>&1 &
        pid=$!
    }
    find_window() {
        if ! alive; then
            # A fresh X server can refuse its first client for a moment.
            if [ "$starts" -lt 3 ] && grep -q "could not connect to display" "$tmp/varnel.log"; then
                sleep 1
                start
                return 1
            fi
            cat "$tmp/varnel.log"
            abort "varnel ended before showing its window"
        fi
        window=$(timeout 3 xdotool search --all --onlyvisible --pid "$pid" --name '^Varnel$' \
            2>/dev/null | head -n 1)
        [ -n "$window" ]
    }
    has_focus() {
        timeout 3 xdotool windowfocus --sync "$window" 2>/dev/null
        [ "$(timeout 3 xdotool getwindowfocus 2>/dev/null)" = "$window" ]
    }
    ended() { ! alive; }

    start
    wait_until 20 find_window || abort "no window \"Varnel\" within 20 s"
    wait_until 10 has_focus || abort "cannot give the window the input focus"
    sleep 0.5 # let Qt take the FocusIn
    timeout 5 xdotool key ctrl+q || abort "xdotool key ctrl+q failed"
    wait_until 10 ended || abort "varnel still runs 10 s after Ctrl+Q"
    wait "$pid"
    local status=$?
    pid=
    check [ "$status" -eq 0 ] -- "Ctrl+Q ended varnel with status 0 ($status)"
}

# ini_value FILE SECTION KEY
ini_value() {
    tr -d '\r' <"$1" | awk -v s="[$2]" -v k="$3" '
        /^\[/ { here = (tolower($0) == s); next }
        here && index($0, "=") { split($0, kv, "="); if (tolower(kv[1]) == k) { print substr($0, length(k) + 2); exit } }'
}

check_run() {
    local archive=$1 name top folder ini
    [ -n "${DISPLAY:-}" ] || abort "DISPLAY is not set: run this under xvfb-run -a"
    for tool in xdotool timeout; do
        command -v "$tool" >/dev/null || abort "$tool is not installed"
    done
    mkdir -m 700 "$tmp/xdg"
    name=$(basename "$archive")
    top=${name%.tar.gz}
    mkdir "$tmp/first"
    tar -xzf "$archive" -C "$tmp/first" || abort "tar cannot unpack $archive"
    folder=$tmp/first/$top
    ini=$folder/Varnel.ini
    [ ! -e "$ini" ] || abort "the archive already holds a Varnel.ini"

    start_and_quit "$folder"
    check [ -f "$ini" ] -- "Varnel.ini appeared in the unpacked folder"
    [ -f "$ini" ] || finish run
    check [ ! -e "$tmp/Varnel.ini" ] -- "no Varnel.ini in the working directory"
    check [ "$(ini_value "$ini" lastsize textx)" = 8 ] -- "a first run saves the default sizes (textx=8)"

    # Change a size in the file, move the folder, run again: the program must
    # read the file beside it and write the changed size back.
    sed -i 's/^textx=8\r\?$/textx=48\r/' "$ini"
    [ "$(ini_value "$ini" lastsize textx)" = 48 ] || abort "cannot edit $ini"
    mkdir "$tmp/second"
    mv "$folder" "$tmp/second/moved folder"
    folder="$tmp/second/moved folder"
    start_and_quit "$folder"
    check [ "$(ini_value "$folder/Varnel.ini" lastsize textx)" = 48 ] -- \
        "the moved folder's Varnel.ini was read and kept (textx=48)"
    check [ ! -e "$tmp/Varnel.ini" ] -- "still no Varnel.ini in the working directory"
    finish run
}

command=${1:-}
case "$command" in
install)
    [ $# -eq 3 ] || usage
    check_install "$2" "$3"
    ;;
cpack)
    [ $# -eq 3 ] || usage
    cpack --config "$2/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 ||
        { cat "$tmp/cpack.log"; abort "cpack failed"; }
    archives=("$tmp"/out/*.tar.gz)
    [ ${#archives[@]} -eq 1 ] && [ -f "${archives[0]}" ] || abort "cpack made no single .tar.gz"
    check_archive "${archives[0]}" "$3"
    ;;
archive)
    [ $# -eq 3 ] || usage
    check_archive "$2" "$3"
    ;;
run)
    [ $# -eq 2 ] || usage
    check_run "$2"
    ;;
*) usage ;;
esac
