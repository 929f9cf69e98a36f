#!/usr/bin/env bash
# Starts the built program itself on an X server of its own (Xvfb), as a person would, on a
# damaged ROM and on a good one. Every irregular-ROM box is answered with Return; afterwards the
# program must still be running, with Vorlig.ini in place and the ROM unchanged.
# Usage: program_under_xvfb.sh <build folder>
set -euo pipefail

if [ "${1:-}" = "--on-display" ]; then
    shift
    exe=$1 boxes_expected=$2 log=$3
    boxTitle="What a horrible night to have a curse"
    "$exe" >>"$log" 2>&1 &
    pid=$!
    answered=0
    last_box=""
    steady=0
    # Up to 30 s: answer each box with Return; done once the main window has stood alone for a
    # second after the boxes expected. Window names are compared exactly (a search ignores case).
    for _ in $(seq 1 150); do
        sleep 0.2
        kill -0 "$pid" 2>/dev/null || break
        box=$(xdotool search --onlyvisible --name "^$boxTitle\$" 2>/dev/null | head -1 || true)
        if [ -n "$box" ]; then
            # No window manager here: give the box the keyboard, then press Return on it.
            xdotool windowfocus --sync "$box" 2>/dev/null || true
            xdotool key Return
            # On a busy machine a box may still stand at the next look: count it once.
            [ "$box" = "$last_box" ] || answered=$((answered + 1))
            last_box=$box
            steady=0
            sleep 0.5
            continue
        fi
        main=""
        for w in $(xdotool search --onlyvisible --name '^Vorlig$' 2>/dev/null || true); do
            [ "$(xdotool getwindowname "$w" 2>/dev/null)" = Vorlig ] && main=$w
        done
        if [ -n "$main" ] && [ "$answered" -ge "$boxes_expected" ]; then
            steady=$((steady + 1))
            [ "$steady" -ge 5 ] && break
        else
            steady=0
        fi
    done
    status=0
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "the program is not running any more"
        status=1
    elif [ "$steady" -lt 5 ]; then
        echo "the main window did not come up"
        status=1
    fi
    if [ "$answered" -ne "$boxes_expected" ]; then
        echo "answered $answered boxes, expected $boxes_expected"
        status=1
    fi
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 25); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
    kill -9 "$pid" 2>/dev/null || true
    exit $status
fi

for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (scripts/setup installs it)"; exit 77; }
done
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

# One program folder: the program, its files, a ROM and a settings file naming it.
run_case() {
    local name=$1 size=$2 boxes=$3
    local dir=$work/$name
    mkdir -p "$dir"
    cp "$build/vorlig" "$build/Vorlig.pal" "$build/readme.txt" "$dir/"
    if [ "$size" = whole ]; then
        cp "$build/demo-us.nes" "$dir/game.nes"
    else
        head -c "$size" "$build/demo-us.nes" >"$dir/game.nes"
    fi
    cp "$dir/game.nes" "$work/$name.before"
    printf 'rompath=%s\r\nemupath=\r\nromload=1\r\nbackupr=\r\nhscmask=0\r\nvscmask=1\r\ngridlin=0\r\n' \
        "$dir/game.nes" >"$dir/Vorlig.ini"
    local why=""
    # A display number of its own, searched from a random start: other test runs may be
    # starting X servers at the same moment.
    if ! timeout -k 5 60 xvfb-run -a -n $((100 + RANDOM % 5000)) -s "-screen 0 1024x768x24" \
        "$here/program_under_xvfb.sh" --on-display "$dir/vorlig" "$boxes" "$work/$name.log"; then
        why="the run failed"
    fi
    [ -f "$dir/Vorlig.ini" ] || why="$why; Vorlig.ini is gone"
    cmp -s "$dir/game.nes" "$work/$name.before" || why="$why; the ROM changed"
    if [ -n "$why" ]; then
        echo "FAIL $name: $why"
        sed 's/^/    /' "$work/$name.log" | tail -20
        failed=1
    else
        echo "ok   $name"
    fi
}

# Cut off inside CHR bank 100: one irregular-ROM box.
run_case truncated $((262160 + 1024 * 100 + 500)) 1
run_case good whole 0
exit $failed
