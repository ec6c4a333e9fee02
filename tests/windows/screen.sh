# Shared by the tests of the Windows program under Wine (sourced, with $work set): an Xvfb screen of the
# test's own as DISPLAY, and waiting for a window by its title.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"

fail() { echo "FAILED: $*" >&2; exit 1; }

# Prints the id of the first window whose title matches $1, waiting up to 60 s for it.
wait_for_window() {
  for _ in $(seq 600); do
    xdotool search --name "$1" 2>/dev/null | head -n1 && return 0
    sleep 0.1
  done
  return 1
}
