#!/bin/bash
# The real program under a real window manager (Xvfb with openbox):
# - the first start's window, frame included, lies inside the work area;
# - the window's class is the one the menu entry names;
# - without a notification area the window keeps its taskbar button and a
#   minimized window can be brought back;
# - with one (trayer, where installed) the window has no taskbar button,
#   minimizes into the tray and comes back on a double-click of its icon;
#   when the tray goes away, minimizing keeps the taskbar button again.
# Skipped (exit code 77) where Xvfb, openbox or the X tools are missing.
set -u
program=$(realpath "$1")
desktop_entry="$2"
for tool in Xvfb openbox xdotool xprop xwininfo; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
folder=$(mktemp -d)
chmod 700 "$folder"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done; wait; rm -rf "$folder"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A display of our own: Xvfb picks a free number and writes it to the pipe.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x700x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
read -r -t 30 number <&"$display_fd" || fail "Xvfb did not start"
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
openbox >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done

mkdir -m 700 "$folder/run" "$folder/config"
# The session bus library that Qt loads on X11 keeps a buffer for good;
# that is not ours to free.
echo "leak:libdbus-1.so" >"$folder/leaks.supp"
export LSAN_OPTIONS="suppressions=$folder/leaks.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
XDG_RUNTIME_DIR="$folder/run" TAMBLE_CONFIG_DIR="$folder/config" "$program" &
tamble=$!
pids+=($tamble)
window=""
for _ in $(seq 1 300); do
    window=$(xdotool search --onlyvisible --class '^Tamble$' 2>/dev/null | head -1)
    [ -n "$window" ] && xprop -id "$window" _NET_FRAME_EXTENTS | grep -q = && break
    sleep 0.1
done
[ -n "$window" ] || fail "no window appeared"
sleep 1 # the frame is put around the window, then the window is sized to it

class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
grep -q "^StartupWMClass=$class$" "$desktop_entry" || fail "window class $class"

read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
geometry=$(xwininfo -id "$window")
x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$geometry")
y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$geometry")
width=$(sed -n 's/^ *Width: *//p' <<<"$geometry")
height=$(sed -n 's/^ *Height: *//p' <<<"$geometry")
read -r area_x area_y area_width area_height _ < <(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g')
outer_left=$((x - left)) outer_top=$((y - top))
outer_right=$((x + width + right)) outer_bottom=$((y + height + bottom))
echo "frame $outer_left,$outer_top - $outer_right,$outer_bottom; work area $area_x,$area_y ${area_width}x$area_height"
[ "$outer_left" -ge "$area_x" ] && [ "$outer_top" -ge "$area_y" ] &&
    [ "$outer_right" -le $((area_x + area_width)) ] &&
    [ "$outer_bottom" -le $((area_y + area_height)) ] || fail "the window leaves the work area"

xprop -id "$window" _NET_WM_STATE | grep -q SKIP_TASKBAR && fail "no tray, yet no taskbar button"
xdotool windowminimize "$window"
for _ in $(seq 1 50); do
    xprop -id "$window" WM_STATE | grep -q Iconic && break
    sleep 0.1
done
xprop -id "$window" WM_STATE | grep -q Iconic || fail "minimize did not iconify"
xprop -id "$window" _NET_WM_STATE | grep -q SKIP_TASKBAR && fail "minimized without a taskbar button"
xdotool windowactivate "$window" 2>/dev/null
for _ in $(seq 1 50); do
    xprop -id "$window" WM_STATE | grep -q Normal && break
    sleep 0.1
done
xprop -id "$window" WM_STATE | grep -q Normal || fail "the minimized window did not come back"

kill -TERM "$tamble"
wait "$tamble" || fail "the program ended with $?"
grep -aq "^Height=$((outer_bottom - outer_top))"$'\r'"\?$" "$folder/config/tamble.ini" ||
    fail "the saved height is not the outer height $((outer_bottom - outer_top))"
echo "the first window fits, keeps its taskbar button and comes back"

command -v trayer >/dev/null || { echo "no trayer: the tray is not tried"; exit 0; }
# Waits until the window's WM_STATE (or its absence) matches.
wait_state() {
    for _ in $(seq 1 100); do
        xprop -id "$1" WM_STATE 2>/dev/null | grep -q "$2" && return 0
        sleep 0.1
    done
    return 1
}
trayer --edge top --align right --widthtype pixel --width 100 --height 24 >/dev/null 2>&1 &
trayer=$!
pids+=($trayer)
for _ in $(seq 1 100); do
    xdotool search --class '^trayer$' >/dev/null 2>&1 && break
    sleep 0.1
done
sleep 1 # trayer takes the tray's selection once its window is up
XDG_RUNTIME_DIR="$folder/run" TAMBLE_CONFIG_DIR="$folder/config" "$program" &
tamble=$!
pids+=($tamble)
window="" icon=""
for _ in $(seq 1 300); do
    for candidate in $(xdotool search --class '^Tamble$' 2>/dev/null); do
        if xprop -id "$candidate" WM_STATE 2>/dev/null | grep -q Normal; then
            window=$candidate
        elif xwininfo -id "$candidate" | grep -q IsViewable; then
            icon=$candidate
        fi
    done
    [ -n "$window" ] && [ -n "$icon" ] && break
    sleep 0.1
done
[ -n "$window" ] && [ -n "$icon" ] || fail "no window or no tray icon appeared"
for _ in $(seq 1 50); do
    xprop -id "$window" _NET_WM_STATE | grep -q SKIP_TASKBAR && break
    sleep 0.1
done
xprop -id "$window" _NET_WM_STATE | grep -q SKIP_TASKBAR || fail "a taskbar button beside the tray icon"
xdotool windowminimize "$window"
for _ in $(seq 1 50); do
    xwininfo -id "$window" | grep -q IsUnMapped && break
    sleep 0.1
done
xwininfo -id "$window" | grep -q IsUnMapped || fail "minimize did not go to the tray"
icon_geometry=$(xwininfo -id "$icon")
icon_x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$icon_geometry")
icon_y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$icon_geometry")
xdotool mousemove $((icon_x + 5)) $((icon_y + 5)) click --repeat 2 --delay 80 1
wait_state "$window" Normal || fail "a double-click on the tray icon did not bring the window back"

kill "$trayer"
sleep 1 # the program learns that the tray is gone
xdotool windowminimize "$window"
wait_state "$window" Iconic || fail "without the tray, minimize did not iconify"
xprop -id "$window" _NET_WM_STATE | grep -q SKIP_TASKBAR && fail "the tray went, the taskbar button stayed away"
kill -TERM "$tamble"
wait "$tamble" || fail "the program ended with $?"
echo "with a tray: no taskbar button, minimize to the tray and back; without it again: a taskbar button"
