#!/usr/bin/env bash
# Vantrel at rest under Wine, beside a program that does nothing but take a timer message every
# second (idle_peer.exe): the processor ticks (1/100 s, utime + stime from /proc) each takes over
# the same SECONDS while Outlook Express (the stand-in) is in front and no mail is checked. With
# PUSHED, Vantrel pushes that many IMAP accounts of a private dovecot meanwhile, each waiting in
# IDLE (checks every 999 minutes).
# One "name: value" a line; stops by itself, its Wine prefix removed.
# Usage: bench/idle_cpu.sh [SECONDS] [PUSHED]   (default 30 and none; needs the windows build of
#                                                Vantrel, msimn, driver and idle_peer)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
pushed=${2:-0}
export VANTREL_E2E_WORK=$root/build/bench-idle
source "$root/tests/e2e/lib.sh"
source "$root/tests/e2e/networks.sh"
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

# PUSHED accounts of one identity on a private dovecot, their passwords stored, push on.
pushed_accounts() {
  local port identity='HKEY_CURRENT_USER\Identities\{5B1E7A30-2C4D-4E6F-8A9B-0C1D2E3F4A5B}' i
  local lines=() settings=()
  mkdir -p "$net_dir/run" "$net_dir/mail"
  : >"$net_dir/passwd"
  for i in $(seq "$pushed"); do dovecot_mailbox "$net_dir" "push$i" "secret$i" 0; done
  chown -R dovecot:dovecot "$net_dir/mail"
  port=$(net_free_port)
  dovecot_conf "$net_dir" "$(net_free_port)" "" "$port" "" >"$net_dir/dovecot.conf"
  /usr/sbin/dovecot -c "$net_dir/dovecot.conf"
  net_wait_port "$port"
  lines=('[HKEY_CURRENT_USER\Identities]' '"Last Username"="Bench"' '' "[$identity]" '"Username"="Bench"' '')
  for i in $(seq "$pushed"); do
    lines+=("[$identity\Software\Microsoft\Internet Account Manager\Accounts\0000000$i]"
      "\"Account Name\"=\"Box$i\"" '"IMAP Server"="127.0.0.1"' "\"IMAP User Name\"=\"push$i\""
      "\"IMAP Port\"=dword:$(printf %08x "$port")" '')
    settings+=("Email/Bench_Box${i}_pass=$(scrambled_password "secret$i")")
  done
  e2e_reg_import "${lines[@]}"
  e2e_prepare checkNoMail=0 editMailTime=999 checkMailSound=0 Email/checkMailPreview=0 \
    Email/checkMailPush=1 "${settings[@]}"
}

e2e_require "$peer_exe" || exit 1
e2e_begin_vantrel_suite bench-idle || exit 1
trap 'e2e_end_suite; xvfb_stop' EXIT
cp "$peer_exe" "$(e2e_c_path "$VANTREL_DIR_WIN")/idle_peer.exe"

if ((pushed > 0)); then
  source "$root/tests/net/servers.sh"
  source "$root/tests/e2e/mail_server.sh"
  trap 'e2e_end_suite; xvfb_stop; net_stop; networks_down' EXIT
  # Vantrel asks no server while the computer has no route off it.
  networks_up
  pushed_accounts
  vantrel_start
  msimn_wait_log window=shown 20
  vantrel_answers
else
  launch_with
fi
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

ticks=idle_vantrel_oe_in_front_ticks ratio=idle_vantrel_over_peer
if ((pushed > 0)); then
  # Every account logged in once and no more: a figure never hides a push that failed or looped.
  logins=$(grep -c 'imap-login: .*Login: user=<push' "$net_dir/dovecot.log" || true)
  ((logins == pushed)) || fail "$logins IMAP logins for $pushed pushed accounts"
  ticks=idle_vantrel_pushed_ticks ratio=idle_vantrel_pushed_over_peer
  echo "idle_pushed_accounts: $pushed"
fi
echo "idle_seconds: $seconds"
echo "$ticks: $vantrel_ticks"
echo "idle_peer_ticks: $peer_ticks"
# A peer that took no tick at all is counted as one, so that the ratio stays a number.
awk -v v="$vantrel_ticks" -v p="$peer_ticks" -v r="$ratio" \
  'BEGIN { printf "%s: %.2f\n", r, v / (p > 0 ? p : 1) }'
