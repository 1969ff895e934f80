# Sourced by the scripts that run Windows programs under Wine.

# The Windows form of a Linux path, through the drive Z: that Wine maps
# onto "/".
windows_path() {
  local path
  path="$(realpath -m "$1")"
  printf 'Z:%s' "${path//\//\\}"
}

# A Wine of our own in the folder $1, without the menu builder and quiet,
# with a persistent server started and the prefix prepared: every program
# started later then skips Wine's own start-up, and no server that a
# program left behind can hold up the next. Stops the server at exit.
start_wine() {
  export WINEPREFIX="$1"
  export WINEDLLOVERRIDES="winemenubuilder.exe=d"
  export WINEDEBUG=-all
  mkdir -p "$WINEPREFIX"
  wineserver -p >/dev/null 2>&1 || true  # fails when one already runs
  wine wineboot >/dev/null 2>&1
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
}
