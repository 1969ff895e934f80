#!/bin/sh
# Starts the program, then starts it again: the second must exit with code 1
# at once and the first must still run. Settings and lock stay in a temp folder.
set -u
program="$1"
folder=$(mktemp -d)
chmod 700 "$folder"
export XDG_RUNTIME_DIR="$folder" TAMBLE_CONFIG_DIR="$folder" QT_QPA_PLATFORM=offscreen
"$program" &
first=$!
trap 'kill "$first" 2>/dev/null; wait "$first" 2>/dev/null; rm -rf "$folder"' EXIT
# Wait until the first instance holds the lock.
for _ in $(seq 1 100); do
    [ -e "$folder/Tamble.lock" ] && break
    sleep 0.1
done
sleep 0.5
timeout 20 "$program"
code=$?
if [ "$code" -ne 1 ]; then
    echo "second start: exit code $code, expected 1"
    exit 1
fi
if ! kill -0 "$first" 2>/dev/null; then
    echo "the first instance is gone"
    exit 1
fi
echo "second start ended with 1; first still runs"
