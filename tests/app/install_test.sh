#!/bin/bash
# Installs into a temporary prefix and checks what a desktop needs: the
# program, the menu entry, the icon in every size, the metadata and the
# manual page, each checked by its validator where that is installed. Then
# the installed program, whose folder it may not write, keeps its settings
# in the user's configuration folder.
set -u
build="$1"
prefix=$(mktemp -d)
chmod 755 "$prefix"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
share="$prefix/share"
desktop=$(ls "$share"/applications/*.desktop 2>/dev/null)
metainfo=$(ls "$share"/metainfo/*.metainfo.xml 2>/dev/null)
for file in "$prefix/bin/tamble" "$desktop" "$metainfo" \
            "$share/icons/hicolor/scalable/apps/tamble.svg" "$share/man/man1/tamble.1.gz" \
            "$share/doc/tamble/copyright" "$share/doc/tamble/changelog.gz"; do
    [ -n "$file" ] && [ -s "$file" ] || fail "missing: ${file:-a desktop entry or metadata}"
done
[ -x "$prefix/bin/tamble" ] || fail "the program is not executable"
# The menu entry and the metadata name each other.
id=$(basename "$desktop" .desktop)
[ "$(basename "$metainfo" .metainfo.xml)" = "$id" ] || fail "metadata is not named $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "metadata does not launch $id.desktop"
grep -q "^Categories=Development;Utility;$" "$desktop" || fail "categories"
grep -q "^Name\[ja\]=" "$desktop" || fail "no Japanese name"
grep -q "^StartupWMClass=Tamble$" "$desktop" || fail "window class"

# Each PNG is the size its folder says (width and height from the header).
for size in 16 22 24 32 48 64 128 256; do
    png="$share/icons/hicolor/${size}x${size}/apps/tamble.png"
    [ -s "$png" ] || fail "missing icon $size"
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "icon $size is ${width}x$height"
done

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
fi
if command -v groff >/dev/null; then
    warnings=$(gzip -dc "$share/man/man1/tamble.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "manual page: $warnings"
fi

# The installed program: its folder not writable for the user who runs it
# (root writes anywhere, so root runs it as nobody).
home=$(mktemp -d)
chmod 755 "$home"
trap 'rm -rf "$prefix" "$home"' EXIT
mkdir -m 700 "$home/run"
# Started on the item page, which writes item.lst at exit once it is built.
mkdir -p "$home/config/tamble"
printf '[Application]\r\nActivePage=2\r\n' >"$home/config/tamble/tamble.ini"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$home"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
else
    chmod a-w "$prefix/bin"
fi
env -u TAMBLE_CONFIG_DIR HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run" \
    QT_QPA_PLATFORM=offscreen "${as_user[@]}" "$prefix/bin/tamble" &
program=$!
for _ in $(seq 1 300); do
    [ -S "$home/run/Tamble.sock" ] && break
    sleep 0.1
done
kill -TERM "$program"
wait "$program" || fail "the installed program ended with $?"
chmod u+w "$prefix/bin"
grep -aq "^UseEditor=" "$home/config/tamble/tamble.ini" || fail "no settings in the configuration folder"
[ -e "$home/config/tamble/item.lst" ] || fail "no item.lst in the configuration folder"
[ -e "$prefix/bin/tamble.ini" ] && fail "settings written beside the installed program"
echo "install layout, validators and configuration folder are right"
