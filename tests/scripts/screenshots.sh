#!/usr/bin/env bash
# scripts/screenshots writes a picture of every window, in every state, of both releases.
set -euo pipefail
script=$1
export VORLIG_BUILD=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$script" --no-build "$dir/shots" >/dev/null || fail "the script failed"
states="main-horizontal-background main-horizontal-power-ups main-horizontal-miscellaneous
    main-horizontal-special-object main-vertical-background main-vertical-power-ups
    main-vertical-miscellaneous main-horizontal-enemies blocks tile patterns palettes sprite-palettes damage bgm game-options
    power-up-presets enemy-presets settings browse readme about splash"
for rel in us jp; do
    for state in $states; do
        f="$dir/shots/$rel-$state.png"
        [ -f "$f" ] || fail "no picture $rel-$state.png"
        [ "$(head -c 8 "$f" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] \
            || fail "$rel-$state.png is not a PNG"
    done
done
count=$(find "$dir/shots" -name '*.png' | wc -l)
[ "$count" -eq 46 ] || fail "$count pictures, expected 46"
echo "ok"
