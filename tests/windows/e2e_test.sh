#!/bin/bash
# The Windows package as a user meets it: unzipped into a folder with a
# Japanese name in a new Wine prefix, started on Xvfb under openbox, used
# with real keys, closed and read back.
# - The window appears without a taskbar button.
# - The file page lists a folder whose names hold Japanese and characters
#   code page 932 lacks; delete, rename and open reach the file shown and
#   never its look-alike.
# - A launcher item starts a program with its parameters.
# - A second start exits with code 1 and hands its folder to the first.
# - Closing writes tamble.ini and item.lst beside the program, in code page
#   932 with CR LF, and the system's profile functions read it back.
# Usage: e2e_test.sh ZIP BUILD_DIR (the Windows build with the helper
# programs). With TAMBLE_E2E_SHOTS naming a folder, screenshots go there.
set -u
zip=$(realpath "$1")
build=$(realpath "$2")
here=$(dirname "$(realpath "$0")")
source "$here/../../scripts/winelib.sh"
for tool in Xvfb openbox xdotool xprop iconv; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed"; exit 1; }
done
folder=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wineserver -k >/dev/null 2>&1
  wait 2>/dev/null
  rm -rf "$folder"
}
trap cleanup EXIT
fail() {
  shot failure
  echo "FAIL: $*"
  exit 1
}
step() { echo "e2e: $*"; }
shots="${TAMBLE_E2E_SHOTS:-}"
shot() {
  [ -n "$shots" ] && command -v import >/dev/null && import -window root "$shots/$1.png" 2>/dev/null
  return 0
}
# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths=$1
  shift
  for _ in $(seq 1 "$tenths"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
cp932() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }

# A display of our own with a window manager.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
read -r -t 30 number <&"$display_fd" || fail "Xvfb did not start"
export DISPLAY=":$number"
openbox >/dev/null 2>&1 &
pids+=($!)
wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
  fail "openbox did not start"

step "a new Wine prefix"
start_wine "$folder/wine"
trap cleanup EXIT
drive_c="$WINEPREFIX/drive_c"
install_dir="$drive_c/ツール"
mkdir -p "$install_dir" "$drive_c/rec"
(cd "$install_dir" && cmake -E tar xf "$zip") || fail "the zip does not unpack"
app_dir=$(ls -d "$install_dir"/Tamble-*-win64)
[ -f "$app_dir/tamble.exe" ] || fail "no tamble.exe in the zip"
cp "$build/tests/platform/commandline_recorder.exe" "$drive_c/rec/recorder.exe"
cp "$build/tests/windows/profilereader.exe" "$drive_c/rec/profilereader.exe"

# The files: each target beside a look-alike that a lossy conversion of its
# name would reach instead ("¬" and "¥" become "￢" and "￥" in code page
# 932's best fit; the two emoji differ in their last UTF-16 unit only).
files="$folder/ファイル"
other="$folder/別のフォルダ"
mkdir -p "$files" "$other"
declare -A content=(
  ["日本語.txt"]="japanese"
  ["del¬.txt"]="delete me"
  ["del￢.txt"]="look-alike of the deleted"
  ["ren😀.txt"]="rename me"
  ["ren😁.txt"]="look-alike of the renamed"
  ["open¥.txt"]="open me"
  ["open￥.txt"]="look-alike of the opened"
)
for name in "${!content[@]}"; do printf '%s' "${content[$name]}" >"$files/$name"; done
check_content() {
  [ -f "$files/$1" ] || fail "$1 is gone"
  [ "$(cat "$files/$1")" = "$2" ] || fail "$1 was changed"
}

# Settings and a launcher item as the user left them: the editor is the
# recorder, which writes the arguments it got to $record.
record="$folder/record.txt"
export TAMBLE_ARGUMENT_RECORD
TAMBLE_ARGUMENT_RECORD="$(windows_path "$record")"
{
  printf '[Application]\r\nUseEditor=C:\\rec\\recorder.exe\r\n'
} >"$app_dir/tamble.ini"
{
  printf '[List]\r\nItemNum=1\r\n'
  printf 'ItemName0=%s\r\n' "$(cp932 "記録する")"
  printf 'ItemFileName0=C:\\rec\\recorder.exe\r\n'
  printf 'ItemPara0=%s\r\n' "$(cp932 '-x "two words" 日本')"
} >"$app_dir/item.lst"

# The recorded arguments after the command line, one per line.
recorded_arguments() {
  wait_for 100 test -f "$record" || return 1
  # Each entry is "<bytes>:<text>"; the first one is the whole command line.
  tail -n +2 "$record" | sed 's/^[0-9]*://'
}

step "start"
exe="$(windows_path "$app_dir/tamble.exe")"
wine "$exe" "$(windows_path "$files")" >/dev/null 2>&1 &
tamble=$!
pids+=($tamble)
window=""
find_window() {
  window=$(xdotool search --onlyvisible --name '^Tamble Ver\.1\.21$' 2>/dev/null | head -1)
  [ -n "$window" ]
}
wait_for 600 find_window || fail "no window appeared"
sleep 2
shot 1-started
xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR ||
  fail "the window has a taskbar button: $(xprop -id "$window" _NET_WM_STATE)"

# Clicks go to places measured from the window's bottom edge, where the
# file page's boxes and the page tabs are, whatever the screen's height.
geometry=$(xdotool getwindowgeometry "$window")
height=$(sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p' <<<"$geometry")
click() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep 0.5
}
keys() {
  xdotool key --clearmodifiers --delay 100 "$@"
  sleep 0.5
}
# The narrowing box sits above the filter box at the bottom of the file
# page, over the page tabs; the file list comes before it in the tab order.
narrow_to() {
  click 60 $((height - 76))
  keys ctrl+a BackSpace
  xdotool type --delay 100 "$1"
  sleep 1
  keys shift+Tab
}

step "delete to the recycle bin"
narrow_to del
keys End
shot 2-delete-selected
keys Delete
sleep 2
shot 3-delete-question
# The shell's question belongs to Tamble's window, so it can never open
# behind a window that stays on top.
question=""
find_question() {
  question=$(xdotool search --onlyvisible --name '^Confirm' 2>/dev/null | head -1)
  [ -n "$question" ]
}
wait_for 100 find_question || fail "the shell asked nothing"
xprop -id "$question" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$window")" ||
  fail "the shell's question is not owned by the window: $(xprop -id "$question" WM_TRANSIENT_FOR)"
keys Return
wait_for 100 test ! -e "$files/del¬.txt" || fail "del¬.txt was not deleted"
check_content "del￢.txt" "look-alike of the deleted"

step "rename"
narrow_to ren
keys End Home F2
sleep 1
shot 4-rename-question
keys ctrl+a
xdotool type --delay 100 "renamed.txt"
keys Return
wait_for 100 test -f "$files/renamed.txt" || fail "ren😀.txt was not renamed"
[ ! -e "$files/ren😀.txt" ] || fail "ren😀.txt is still there"
[ "$(cat "$files/renamed.txt")" = "rename me" ] || fail "another file was renamed"
check_content "ren😁.txt" "look-alike of the renamed"

step "open in the editor"
rm -f "$record"
narrow_to open
keys End Return
arguments=$(recorded_arguments) || fail "the editor was not started"
expected="$(windows_path "$files")\\open¥.txt"
[ "$arguments" = "$expected" ] || fail "the editor got [$arguments], not [$expected]"
check_content "open￥.txt" "look-alike of the opened"
check_content "日本語.txt" "japanese"
shot 5-file-page

step "a launcher item"
rm -f "$record"
# The tab "ItemView" at the bottom right, then the first item at the top.
xdotool windowactivate --sync "$window" 2>/dev/null
click 150 $((height - 25))
shot 6-item-page
click 60 40
keys Return
arguments=$(recorded_arguments) || fail "the launcher item did not start"
[ "$arguments" = $'-x\ntwo words\n日本' ] || fail "the item's program got [$arguments]"

step "a second start"
wine "$exe" "$(windows_path "$other")" >/dev/null 2>&1
code=$?
[ $code -eq 1 ] || fail "a second start ended with $code, not 1"
sleep 2
shot 7-handed-over

step "close"
xdotool windowactivate --sync "$window" 2>/dev/null
keys alt+F4
wait_for 300 sh -c "! kill -0 $tamble 2>/dev/null" || fail "Alt+F4 did not end the program"
wait "$tamble"
code=$?
[ $code -eq 0 ] || fail "the program ended with $code"
ini="$app_dir/tamble.ini"
[ -f "$ini" ] || fail "no tamble.ini beside the program"
[ -f "$app_dir/item.lst" ] || fail "no item.lst beside the program"
iconv -f CP932 -t UTF-8 "$ini" >/dev/null || fail "tamble.ini is not code page 932"
lines=$(wc -l <"$ini")
[ "$(grep -c $'\r$' "$ini")" -eq "$lines" ] || fail "tamble.ini has lines without CR LF"

# Read through GetPrivateProfileStringA, with code page 932 as the ANSI code
# page (Wine takes it from the locale's name), from a copy at a plain path so
# that the reader's own ANSI command line cannot be what fails.
cp "$ini" "$drive_c/rec/tamble.ini"
profile() {
  LC_ALL=ja_JP.UTF-8 wine 'C:\rec\profilereader.exe' 'C:\rec\tamble.ini' "$1" "$2" 2>/dev/null
}
last=$(profile Application PathAddressNameLast | iconv -f CP932 -t UTF-8)
[ "$last" = "$(windows_path "$other")" ] ||
  fail "the last folder reads back as [$last], not the one handed over"
[ "$(profile Application ActivePage)" = 1 ] || fail "the file page, where the folder handed over shows, was not the last page"
[ "$(profile Application UseEditor)" = 'C:\rec\recorder.exe' ] || fail "the editor was not kept"

echo "e2e: every check passed"
