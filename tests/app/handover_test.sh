#!/bin/bash
# The real program's command line and session end:
# - --help and --version print and exit 0 without taking the lock; an
#   unknown option exits 2;
# - a second start with a folder hands it to the first and exits 1; the
#   first shows it (it is the address box's text saved at exit);
# - SIGTERM, SIGHUP and SIGINT run the exit steps: settings and item.lst
#   written, and written alike (each run starts from the file the last wrote).
set -u
program=$(realpath "$1")
folder=$(mktemp -d)
chmod 700 "$folder"
export XDG_RUNTIME_DIR="$folder/run" TAMBLE_CONFIG_DIR="$folder/config" QT_QPA_PLATFORM=offscreen
mkdir -m 700 "$XDG_RUNTIME_DIR" "$TAMBLE_CONFIG_DIR"
first=""
trap '[ -n "$first" ] && kill -9 "$first" 2>/dev/null; [ -n "${KEEP:-}" ] || rm -rf "$folder"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

out=$("$program" --help) || fail "--help exit code $?"
grep -q "Usage: tamble" <<<"$out" || fail "--help printed: $out"
out=$("$program" --version) || fail "--version exit code $?"
[ "$out" = "Tamble Ver.1.21" ] || fail "--version printed: $out"
[ -e "$XDG_RUNTIME_DIR/Tamble.lock" ] && fail "--help or --version took the lock"
err=$("$program" --bogus 2>&1 >/dev/null)
code=$?
[ "$code" -eq 2 ] || fail "unknown option: exit code $code"
grep -q -- "'--bogus'" <<<"$err" || fail "unknown option said: $err"

# Starts the program in the background with default signal handling (a
# background job of a script would ignore SIGINT) and waits until it listens.
start() {
    rm -f "$XDG_RUNTIME_DIR/Tamble.sock"
    env --default-signal=INT "$program" "$@" &
    first=$!
    for _ in $(seq 1 300); do
        [ -S "$XDG_RUNTIME_DIR/Tamble.sock" ] && return 0
        kill -0 "$first" 2>/dev/null || fail "the program ended at start"
        sleep 0.1
    done
    fail "the program never listened"
}
# Sends a signal and expects the exit steps' exit code 0.
stop() {
    kill -s "$1" "$first"
    wait "$first"
    local code=$?
    first=""
    [ "$code" -eq 0 ] || fail "after SIG$1: exit code $code"
    [ -s "$TAMBLE_CONFIG_DIR/tamble.ini" ] || fail "after SIG$1: no settings"
    [ -e "$TAMBLE_CONFIG_DIR/item.lst" ] || fail "after SIG$1: no item.lst"
}

mkdir "$folder/-work dir"
# Started on the item page, which writes item.lst at exit once it is built.
printf '[Application]\r\nActivePage=2\r\n' >"$TAMBLE_CONFIG_DIR/tamble.ini"
start
(cd "$folder" && timeout 30 "$program" -- "./-work dir/")
code=$?
[ "$code" -eq 1 ] || fail "second start with a path: exit code $code"
kill -0 "$first" 2>/dev/null || fail "the first instance is gone"
# The handover has arrived once the address box shows it; the settings
# written at exit carry that text.
sleep 2
stop TERM
grep -aq "^PathAddressNameLast=$folder/-work dir"$'\r'"\?$" "$TAMBLE_CONFIG_DIR/tamble.ini" ||
    fail "the folder did not reach the first instance: $(grep -a PathAddressNameLast "$TAMBLE_CONFIG_DIR/tamble.ini")"
# Each signal ends a run that starts from the same settings: each writes
# the same bytes.
# The hand-over left the file page selected; back on the item page, each
# run writes item.lst anew.
sed 's/^ActivePage=1\r$/ActivePage=2\r/' "$TAMBLE_CONFIG_DIR/tamble.ini" >"$folder/start.ini"
grep -aq $'^ActivePage=2\r$' "$folder/start.ini" || fail "no ActivePage=1 after the hand-over"
for signal in TERM HUP INT; do
    cp "$folder/start.ini" "$TAMBLE_CONFIG_DIR/tamble.ini"
    rm -f "$TAMBLE_CONFIG_DIR/item.lst"
    start
    stop "$signal"
    cp "$TAMBLE_CONFIG_DIR/tamble.ini" "$folder/after-$signal.ini"
done
cmp "$folder/after-TERM.ini" "$folder/after-HUP.ini" || fail "SIGHUP wrote other settings than SIGTERM"
cmp "$folder/after-TERM.ini" "$folder/after-INT.ini" || fail "SIGINT wrote other settings than SIGTERM"

# A start with a path and no running instance shows it too.
mkdir "$folder/second"
start "$folder/second"
sleep 2
stop TERM
grep -aq "^PathAddressNameLast=$folder/second"$'\r'"\?$" "$TAMBLE_CONFIG_DIR/tamble.ini" ||
    fail "the start path was not shown"
echo "command line, handover and session end behave"
