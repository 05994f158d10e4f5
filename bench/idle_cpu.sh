#!/usr/bin/env bash
# Vantrel at rest under Wine, beside a program that does nothing but take a timer message every
# second (idle_peer.exe): the processor ticks (1/100 s, utime + stime from /proc) each takes over
# the same SECONDS while Outlook Express (the stand-in) is in front and no mail is checked.
# One "name: value" a line; stops by itself, its Wine prefix removed.
# Usage: bench/idle_cpu.sh [SECONDS]   (default 30; needs the windows build of Vantrel, msimn,
#                                       driver and idle_peer)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
export VANTREL_E2E_WORK=$root/build/bench-idle
source "$root/tests/e2e/lib.sh"
peer_exe=$E2E_BUILD/bench/idle_peer.exe

# utime + stime of a process and all its threads.
cpu_ticks() {  # cpu_ticks PID
  local stat
  stat=$(<"/proc/$1/stat")
  # After the name in parentheses, the fields count from the third: utime is the 14th.
  read -r -a fields <<<"${stat##*) }"
  echo $((fields[11] + fields[12]))
}

# The Windows program a Linux process runs, as Wine names it on its command line.
runs() { tr '\0' ' ' <"/proc/$1/cmdline" | grep -qiF "$2"; }  # runs PID NAME

e2e_require "$peer_exe" || exit 1
e2e_begin_vantrel_suite bench-idle || exit 1
trap 'e2e_end_suite; xvfb_stop' EXIT
cp "$peer_exe" "$(e2e_c_path "$VANTREL_DIR_WIN")/idle_peer.exe"

launch_with
wait_until 10 "Outlook Express is not in front" window_state_is "visible=1 foreground=1" "${OE[@]}"
runs "$VANTREL_PID" Vantrel.exe || fail "process $VANTREL_PID is not Vantrel.exe"
(cd "$(e2e_c_path "$VANTREL_DIR_WIN")" && exec "$WINE" 'C:\Vantrel\idle_peer.exe' $((seconds + 30))) \
  >/dev/null 2>&1 &
peer=$!
sleep 5  # both past their start
runs "$peer" idle_peer.exe || fail "process $peer is not idle_peer.exe"

vantrel_before=$(cpu_ticks "$VANTREL_PID")
peer_before=$(cpu_ticks "$peer")
sleep "$seconds"
vantrel_ticks=$(($(cpu_ticks "$VANTREL_PID") - vantrel_before))
peer_ticks=$(($(cpu_ticks "$peer") - peer_before))
window_state_is "foreground=1" "${OE[@]}" || fail "Outlook Express left the front meanwhile"

echo "idle_seconds: $seconds"
echo "idle_vantrel_oe_in_front_ticks: $vantrel_ticks"
echo "idle_peer_ticks: $peer_ticks"
# A peer that took no tick at all is counted as one, so that the ratio stays a number.
awk -v v="$vantrel_ticks" -v p="$peer_ticks" \
  'BEGIN { printf "idle_vantrel_over_peer: %.2f\n", v / (p > 0 ? p : 1) }'
