#!/usr/bin/env bash
# Builds resources/varnel.icns, the macOS bundle icon, from the PNG renderings
# of the program icon in resources/icons/. An .icns file is the magic "icns"
# and its total length, then one element per image: a four-letter type, the
# element's length (8 + data), and the PNG file itself. Lengths are 32-bit
# big-endian. Run it again whenever the icon changes.
set -euo pipefail
cd "$(dirname "$0")/.."

# type:size pairs; ic11-ic13 are the double-density images of 16, 32 and 128.
elements=(icp4:16 icp5:32 icp6:64 ic07:128 ic08:256 ic11:32 ic12:64 ic13:256)

be32() {
    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' \
        $(($1 >> 24 & 255)) $(($1 >> 16 & 255)) $(($1 >> 8 & 255)) $(($1 & 255)))"
}

total=8
for e in "${elements[@]}"; do
    total=$((total + 8 + $(stat -c %s "resources/icons/varnel-${e#*:}.png")))
done

out=resources/varnel.icns
{
    printf icns
    be32 "$total"
    for e in "${elements[@]}"; do
        png=resources/icons/varnel-${e#*:}.png
        printf '%s' "${e%%:*}"
        be32 $((8 + $(stat -c %s "$png")))
        cat "$png"
    done
} >"$out.tmp"
mv "$out.tmp" "$out"
echo "wrote $out ($total bytes)"
