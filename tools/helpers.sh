# shellcheck shell=bash
# Sourced by the scripts in tools/: stop with a message, run a step with its
# output shown only when it fails, find Wine, set up a project-local Wine
# prefix, start a private X server. Every failure names what failed and ends
# the script with a non-zero exit code.

# shellcheck disable=SC2034 # used by the scripts that source this file
dxi_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

dxi_fail() {
  echo "error: $*" >&2
  exit 1
}

# Functions run at exit, last registered first.
dxi_exit_actions=()
dxi_at_exit() { dxi_exit_actions+=("$1"); }
dxi_run_exit_actions() {
  local i
  for ((i = ${#dxi_exit_actions[@]} - 1; i >= 0; i--)); do "${dxi_exit_actions[i]}" || true; done
}
trap dxi_run_exit_actions EXIT

# dxi_step "what" command...: says what it does, keeps the command's output
# aside and shows it only when the command fails, then stops.
dxi_step() {
  local what=$1 log status=0
  shift
  echo "$what..." >&2
  log=$(mktemp)
  "$@" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    cat "$log" >&2
    rm -f "$log"
    dxi_fail "$what: failed with exit code $status (its output is above)"
  fi
  rm -f "$log"
}

# Sets dxi_wine and dxi_wineserver. Debian's wine64 package has the loader
# only under /usr/lib/wine; the wine package adds it to the PATH.
dxi_find_wine() {
  dxi_wine=/usr/lib/wine/wine64
  [ -x "$dxi_wine" ] || dxi_wine=$(command -v wine64 || command -v wine) ||
    dxi_fail "Wine not found: install the package wine64 (tools/install-prerequisites wine)"
  dxi_wineserver=/usr/lib/wine/wineserver
  [ -x "$dxi_wineserver" ] || dxi_wineserver=$(command -v wineserver) ||
    dxi_fail "wineserver not found next to $dxi_wine"
}

# dxi_use_prefix DIR: exports the Wine settings for the prefix DIR and creates
# it on first use. Call dxi_find_wine first.
dxi_use_prefix() {
  mkdir -p "$1" || dxi_fail "cannot create the Wine prefix folder $1"
  WINEPREFIX=$(cd "$1" && pwd)
  export WINEPREFIX WINEDEBUG=-all
  # No Mono or Gecko install prompts: nothing here needs them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  # Parallel test runs share a prefix: only one of them may create it. The
  # registry reaches the disk when the wineserver ends, so wait for that.
  # shellcheck disable=SC2016 # expanded by the inner shell
  dxi_step "Creating the Wine prefix $WINEPREFIX (once, up to a minute)" \
    flock "$WINEPREFIX/.create.lock" bash -c \
    '[ -f "$WINEPREFIX/system.reg" ] || { "$0" wineboot -i && "$1" -w && [ -f "$WINEPREFIX/system.reg" ]; }' \
    "$dxi_wine" "$dxi_wineserver"
}

# Starts an X server of this script's own, exports its DISPLAY and stops it
# at exit. Stops the script when the server does not come up.
dxi_private_display() {
  command -v Xvfb >/dev/null || dxi_fail "Xvfb not found: install the package xvfb (tools/install-prerequisites headless)"
  local display_file log
  display_file=$(mktemp)
  log=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>"$log" &
  dxi_xvfb_pid=$!
  dxi_at_exit dxi_stop_private_display
  # Xvfb writes its display number once it accepts connections.
  for _ in $(seq 200); do
    [ -s "$display_file" ] && break
    kill -0 "$dxi_xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ ! -s "$display_file" ] || ! kill -0 "$dxi_xvfb_pid" 2>/dev/null; then
    cat "$log" >&2
    rm -f "$display_file" "$log"
    dxi_fail "the private X server (Xvfb) did not start (its output is above)"
  fi
  DISPLAY=":$(cat "$display_file")"
  export DISPLAY
  rm -f "$display_file" "$log"
}
dxi_stop_private_display() { kill "$dxi_xvfb_pid" 2>/dev/null; }
