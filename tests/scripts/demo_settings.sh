#!/usr/bin/env bash
# scripts/demo-settings: a fresh program folder gets a Vorlig.ini naming a copy of the US demo
# ROM, and a copy of the Japanese demo; a missing copy is made again beside any Vorlig.ini; an
# existing Vorlig.ini, or an existing copy with its edits, is never touched.
set -euo pipefail
script=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

head -c 300000 /dev/urandom >"$dir/demo-us.nes"
said=$("$script" "$dir")
[ -n "$said" ] || fail "nothing said"
grep -q "$dir/my-demo-us.nes" <<<"$said" || fail "the message does not name the copy: $said"
cmp -s "$dir/demo-us.nes" "$dir/my-demo-us.nes" || fail "the copy differs from the demo"
expected=$(printf 'rompath=%s\r\nemupath=\r\nromload=1\r\nbackupr=\r\nhscmask=0\r\nvscmask=1\r\ngridlin=0\r\n' "$dir/my-demo-us.nes" | od -c)
[ "$(od -c <"$dir/Vorlig.ini")" = "$expected" ] || fail "Vorlig.ini is not the seven lines"

# Run again: nothing said, nothing changed.
printf 'edited' | dd of="$dir/my-demo-us.nes" conv=notrunc status=none
before=$(md5sum "$dir"/*.nes "$dir/Vorlig.ini")
[ -z "$("$script" "$dir")" ] || fail "a second run spoke"
[ "$(md5sum "$dir"/*.nes "$dir/Vorlig.ini")" = "$before" ] || fail "a second run changed a file"

# No Vorlig.ini but an edited copy: the copy keeps its edits.
rm "$dir/Vorlig.ini"
"$script" "$dir" >/dev/null
[ "$(head -c 6 "$dir/my-demo-us.nes")" = "edited" ] || fail "the edited copy was replaced"

# The Japanese demo gets a copy of its own, also beside an existing Vorlig.ini, said once.
head -c 300000 /dev/urandom >"$dir/demo-jp.nes"
ini_before=$(md5sum "$dir/Vorlig.ini")
said=$("$script" "$dir")
grep -q "$dir/my-demo-jp.nes" <<<"$said" || fail "the Japanese copy is not named: $said"
cmp -s "$dir/demo-jp.nes" "$dir/my-demo-jp.nes" || fail "the Japanese copy differs from its demo"
[ "$(md5sum "$dir/Vorlig.ini")" = "$ini_before" ] || fail "Vorlig.ini changed"
printf 'edited' | dd of="$dir/my-demo-jp.nes" conv=notrunc status=none
[ -z "$("$script" "$dir")" ] || fail "a run with both copies made spoke"
[ "$(head -c 6 "$dir/my-demo-jp.nes")" = "edited" ] || fail "the edited Japanese copy was replaced"
# A working copy deleted beside an existing Vorlig.ini, whatever it names, is made again and
# said; Vorlig.ini is not touched.
printf 'rompath=/elsewhere/own.nes\r\nemupath=\r\nromload=1\r\n' >"$dir/Vorlig.ini"
ini_before=$(md5sum "$dir/Vorlig.ini")
rm "$dir/my-demo-us.nes"
said=$("$script" "$dir")
grep -q "$dir/my-demo-us.nes" <<<"$said" || fail "the remade US copy is not named: $said"
cmp -s "$dir/demo-us.nes" "$dir/my-demo-us.nes" || fail "the remade US copy differs from its demo"
[ "$(md5sum "$dir/Vorlig.ini")" = "$ini_before" ] || fail "Vorlig.ini changed on a remade copy"
[ "$(head -c 6 "$dir/my-demo-jp.nes")" = "edited" ] || fail "the Japanese copy was replaced"
[ -z "$("$script" "$dir")" ] || fail "a run after the remade copy spoke"
[ -z "$(find "$dir" -name '.Vorlig.ini.*' -o -name '*.tmp')" ] || fail "temporary files left"
echo "ok"
