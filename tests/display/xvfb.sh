# What the scripts that drive the desktop program on a display of their own share; sourced.
# The caller sets `work` (a folder of its own) and a `fail` function first.

# Exits 77 (skipped) when one of the tools is missing.
require_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is missing (scripts/install-deps.sh --with-display-tests installs it)"
      exit 77
    fi
  done
}

# Starts Xvfb on a free display (it picks the number and tells it) and exports DISPLAY; the
# server's process id is left in `xvfb`, for the caller's clean-up.
start_xvfb() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  exec 3>&-
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
}

# For the caller's exit trap: ends the given processes (empty names are skipped), then the
# display, and removes the work folder.
end_all() {
  local pid
  for pid in "$@"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}

# Waits up to five seconds for process $1 to end; false while it still runs.
ended() {
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
  return 1
}

# The game's own way out: the left soft key asks EXIT, and Return answers the default, Yes.
# Fails unless process $1 then ends with exit code 0.
exit_through_question() {
  local status=0
  xdotool key F1
  sleep 0.5
  xdotool key Return
  ended "$1" || fail "the program still runs after F1 and Yes"
  wait "$1" || status=$?
  [ "$status" -eq 0 ] || fail "the program ended with exit code $status"
}
