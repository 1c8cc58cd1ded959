#!/usr/bin/env bash
# One entry point for a fresh Debian or Ubuntu machine: installs whatever
# packages are missing, configures, builds, and then
#   run    starts Varnel
#   test   runs every test (the default)
#   asan   runs every test under AddressSanitizer + UndefinedBehaviorSanitizer
#   fuzz   runs the libFuzzer targets side by side for a bounded time (FUZZ_SECONDS, 45)
#   bench  runs the benchmarks
#   package validates the desktop entry and the metainfo, makes the portable
#          archive Varnel-<version>-Linux-<machine>.tar.gz with CPack, and runs
#          the end-to-end test on it, unpacked into a fresh folder, under Xvfb
#   deb    builds the Debian package varnel_<version>_<arch>.deb (preset "deb",
#          for /usr), checks it with lintian (no errors, no warnings), installs
#          it with apt-get, runs the end-to-end test on /usr/bin/varnel under
#          Xvfb and removes it again
#   screenshot  takes docs/screenshot.png and docs/screenshot-dark.png of the
#          running window under Xvfb, in a light and a dark desktop palette
#   format rewrites every committed C++ file as .clang-format lays it out
#   format-check  lists the committed C++ files that differ from that layout,
#          and fails if there are any
#   windows  cross-builds varnel.exe, the native Windows window, and the
#          tests of calc/, settings/ and core/ with MinGW-w64 (preset
#          "windows"), runs the tests under Wine and the end-to-end test of
#          varnel.exe under Wine on an X server of its own, and makes the
#          package varnel-<version>-windows-x64.zip (varnel.exe, README, LICENSE)
# The preset is "default", or "ci" (warnings are errors) when CI=true.
set -euo pipefail
cd "$(dirname "$0")/.."

command=${1:-test}
preset=${VARNEL_PRESET:-$([ "${CI:-}" = true ] && echo ci || echo default)}
jobs=$(nproc 2>/dev/null || echo 2)

packages=(cmake g++ make pkg-config libgtest-dev libbenchmark-dev
    qt6-base-dev libgl-dev libxdamage-dev fonts-liberation2 python3
    qt6-image-formats-plugins xvfb xauth xdotool xclip openbox x11-utils
    weston qt6-wayland dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0)
case "$command" in
fuzz) packages+=(clang libclang-rt-dev) ;;
package) packages+=(desktop-file-utils appstream) ;;
deb) packages+=(dpkg-dev lintian) ;;
screenshot) packages+=(imagemagick qt6ct) ;;
windows) packages+=(g++-mingw-w64-x86-64-posix wine wine64 googletest) ;;
format | format-check) packages=(clang-format git) ;;
esac

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    # Another program's apt or dpkg may hold the package lock: wait for it, up
    # to ten minutes, rather than fail at once.
    local apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600)
    # The timeout is for dpkg's lock. apt-get update takes only the package
    # lists' lock and gives up at once when another holds it: it tries again.
    local errors end=$((SECONDS + 600))
    errors=$(mktemp)
    until "${apt[@]}" update 2>"$errors"; do
        cat "$errors" >&2
        grep -q /var/lib/apt/lists/lock "$errors" && [ $SECONDS -lt $end ] || { rm -f "$errors"; return 1; }
        echo "Waiting for the package lists' lock" && sleep 2
    done
    cat "$errors" >&2 && rm -f "$errors"
    "${apt[@]}" install -y "${missing[@]}"
}

build() {
    cmake --preset "$1"
    cmake --build --preset "$1" -j "$jobs"
}

install_missing "${packages[@]}"

case "$command" in
run)
    # Only the program, not the tests and benchmarks.
    cmake --preset "$preset"
    cmake --build --preset "$preset" --target varnel -j "$jobs"
    exec "build/$preset/app/varnel"
    ;;
test)
    build "$preset"
    ctest --preset "$preset" -j "$jobs"
    ;;
asan)
    build asan
    ctest --preset asan -j "$jobs"
    ;;
fuzz)
    build fuzz
    seconds=${FUZZ_SECONDS:-45}
    # All side by side, sharing the cores: the whole run takes as long as one.
    names=() pids=()
    for target in build/fuzz/tests/fuzz/fuzz_*; do
        name=$(basename "$target")
        echo "== $name for ${seconds}s"
        (
            corpus=$(mktemp -d)
            trap 'rm -rf "$corpus"' EXIT
            "$target" -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
                -artifact_prefix=build/fuzz/ "$corpus" "tests/fuzz/corpus/${name#fuzz_}"
        ) >"build/fuzz/$name.log" 2>&1 &
        names+=("$name") pids+=($!)
    done
    failed=0
    for i in "${!pids[@]}"; do
        if wait "${pids[$i]}"; then
            echo "== ${names[$i]}: $(grep -E '^Done [0-9]+ runs' "build/fuzz/${names[$i]}.log")"
        else
            echo "== ${names[$i]} failed:" && cat "build/fuzz/${names[$i]}.log" && failed=1
        fi
    done
    exit "$failed"
    ;;
bench)
    build "$preset"
    for b in build/"$preset"/bench/bench_*; do
        [ "$(basename "$b")" = bench_keypixel ] || "$b"
    done
    # Key to pixel on offscreen, the windows' own work, and then under Xvfb,
    # where the pixels also go to an X server, as on a desktop.
    QT_QPA_PLATFORM=offscreen "build/$preset/bench/bench_keypixel"
    QT_QPA_PLATFORM=xcb timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        "build/$preset/bench/bench_keypixel"
    bash bench/startup/run.sh "build/$preset/app/varnel" \
        "build/$preset/bench/startup/bare_window" "build/$preset/bench/startup/first_frame"
    ;;
package)
    build "$preset"
    for entry in packaging/*.desktop; do
        # Errors fail by status; warnings fail too. Hints are only shown.
        report=$(desktop-file-validate "$entry") || { echo "$report"; exit 1; }
        if [ -n "$report" ]; then echo "$report"; fi
        if grep -q ': warning: ' <<<"$report"; then exit 1; fi
        echo "desktop-file-validate: $entry is valid"
    done
    appstreamcli validate --no-net packaging/*.metainfo.xml
    rm -f "build/$preset"/Varnel-*.tar.gz
    cpack --preset "$preset"
    archive=$(echo "build/$preset"/Varnel-*.tar.gz)
    timeout 150 xvfb-run -a bash tests/e2e/e2e.sh "$archive"
    echo "The portable archive: $archive"
    ;;
deb)
    # Only the program is built: CMAKE_SKIP_INSTALL_ALL_DEPENDENCY in the
    # preset keeps CPack from building the tests as well.
    build deb
    rm -f build/deb/varnel_*.deb
    cpack --preset deb
    deb=$(echo build/deb/varnel_*.deb)
    # Info tags are shown; an error or a warning fails.
    lintian --fail-on error,warning --display-info "$deb"
    echo "lintian: no errors or warnings in $deb"
    # Installing and removing packages needs root; so does running as nobody.
    "${sudo[@]}" timeout 150 xvfb-run -a bash tests/e2e/e2e.sh "$deb"
    echo "The Debian package: $deb"
    ;;
screenshot)
    build "$preset"
    bash tools/screenshot.sh "build/$preset/app/varnel" docs/screenshot.png light
    bash tools/screenshot.sh "build/$preset/app/varnel" docs/screenshot-dark.png dark
    ;;
windows)
    build windows
    ctest --preset windows -j "$jobs"
    cmake --build --preset windows --target windows_zip
    echo "The Windows package: $(echo build/windows/varnel-*-windows-x64.zip)"
    ;;
format | format-check)
    mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
    if [ "$command" = format ]; then
        clang-format --style=file -i "${sources[@]}"
        exit 0
    fi
    unformatted=()
    for f in "${sources[@]}"; do
        clang-format --style=file --dry-run -Werror "$f" >/dev/null 2>&1 || unformatted+=("$f")
    done
    if [ ${#unformatted[@]} -gt 0 ]; then
        echo "These files differ from the layout of .clang-format (bash tools/dev.sh format):"
        printf '  %s\n' "${unformatted[@]}"
        exit 1
    fi
    echo "Every C++ file is laid out as .clang-format says."
    ;;
*)
    echo "usage: $0 [run|test|asan|fuzz|bench|package|deb|screenshot|windows|format|format-check]" >&2
    exit 2
    ;;
esac
