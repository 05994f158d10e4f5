# shellcheck shell=bash
# A private virtual display for running Wine where there is no screen. Xvfb picks a free display
# number itself and names it once it accepts connections: no guessed number, no fixed wait.
#   xvfb_start [WxHxD]  exports DISPLAY and stops the server when the shell exits; a caller that
#                       sets its own EXIT trap calls xvfb_stop from it
# shellcheck source=scripts/lib/wait.sh
source "$(dirname "${BASH_SOURCE[0]}")/wait.sh"

XVFB_PID=${XVFB_PID:-}

xvfb_stop() {
  [[ -z "$XVFB_PID" ]] || kill "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=
}

# Whether the server has named its display, or has ended without.
xvfb_named_or_ended() { [[ -s "$1" ]] || ! kill -0 "$XVFB_PID" 2>/dev/null; }

xvfb_start() {  # xvfb_start [WxHxD]
  local screen=${1:-1024x768x24} named display
  named=$(mktemp) || return 1
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$named" >/dev/null 2>&1 &
  XVFB_PID=$!
  wait_for 10 xvfb_named_or_ended "$named" || true
  display=$(<"$named")
  rm -f "$named"
  if [[ ! "$display" =~ ^[0-9]+$ ]] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
    echo "xvfb: Xvfb gave no display (screen $screen)" >&2
    xvfb_stop
    return 1
  fi
  export DISPLAY=:$display
  trap xvfb_stop EXIT
}
