# shellcheck shell=bash
# Shared by the end-to-end suites: a private Wine prefix per suite, a virtual display when there
# is none, the stand-in Outlook Express and the driver, state reset between cases, and a case
# runner that prints one line per case.
#
# A suite file sources this, defines case functions and a suite function that calls
# e2e_begin_suite NAME, then e2e_case NAME FUNCTION for each case.

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=scripts/lib/wait.sh
source "$E2E_ROOT/scripts/lib/wait.sh"
# shellcheck source=scripts/lib/xvfb.sh
source "$E2E_ROOT/scripts/lib/xvfb.sh"
# shellcheck source=scripts/lib/win32_constants.sh
source "$E2E_ROOT/scripts/lib/win32_constants.sh"
E2E_BUILD=${VANTREL_WINDOWS_BUILD:-$E2E_ROOT/build/windows}
E2E_WORK=${VANTREL_E2E_WORK:-$E2E_ROOT/build/e2e}
E2E_FIXTURES=$E2E_ROOT/tests/fixtures
E2E_CASE_TIMEOUT=${VANTREL_E2E_CASE_TIMEOUT:-120}
E2E_FILTER=${E2E_FILTER:-}
E2E_PASSED=${E2E_PASSED:-0}
E2E_FAILED=${E2E_FAILED:-0}

VANTREL_EXE=$E2E_BUILD/src/win32/Vantrel.exe
MSIMN_EXE=$E2E_BUILD/tools/msimn/msimn.exe
DRIVER_EXE=$E2E_BUILD/tools/driver/driver.exe

# The version the build gave the program (project(VERSION) in CMakeLists.txt): cases compare
# with it, never with a number of their own.
vantrel_version() {
  sed -n 's/^#define VANTREL_VERSION_STRING "\(.*\)"$/\1/p' "$E2E_BUILD/generated/app/version.h"
}

OE_WINDOW_CLASS="Outlook Express Browser Class"
OE_DIR_WIN='C:\Program Files\Outlook Express'
OE_EXE_WIN="$OE_DIR_WIN\\msimn.exe"
VANTREL_DIR_WIN='C:\Vantrel'
VANTREL_EXE_WIN="$VANTREL_DIR_WIN\\Vantrel.exe"
OE_KEY='HKEY_LOCAL_MACHINE\Software\Microsoft\Outlook Express'
SHARED_ACCOUNTS_KEY='HKEY_CURRENT_USER\Software\Microsoft\Internet Account Manager\Accounts'

# The windows the cases look for: Vantrel's main (configuration) window, its message boxes and
# the stand-in's main window.
MAIN=(--class TMainForm --title Vantrel)
BOX=(--class '#32770' --title Vantrel)
OE=(--class "$OE_WINDOW_CLASS")

# Wine turns the arguments into Unicode through the locale: UTF-8 keeps "é" an "é".
export LC_ALL=C.UTF-8
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs while a prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="

WINE=${WINE:-$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)}
WINESERVER=${WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver)}

e2e_log() { printf '%s\n' "$*" >&2; }

# Ends the current case with a reason, kept on one line for the runner's report.
fail() {
  local reason="$*"
  # What the screen showed helps with failures that only happen now and then.
  [[ -z "${E2E_CASE_NAME:-}" ]] || e2e_screenshot "failed-${E2E_CASE_NAME//\//-}" >&2 || true
  printf 'FAIL: %s\n' "${reason//$'\n'/ | }" >&2
  exit 1
}

expect_eq() {  # expect_eq WHAT EXPECTED ACTUAL
  [[ "$2" == "$3" ]] || fail "$1: expected [$2], got [$3]"
}

expect_contains() {  # expect_contains WHAT NEEDLE HAYSTACK
  [[ "$3" == *"$2"* ]] || fail "$1: [$2] not found in [$3]"
}

# --- paths -------------------------------------------------------------------------------

# A Linux path as Wine sees it on drive Z:.
e2e_win_path() { printf 'Z:%s' "${1//\//\\}"; }

# A "C:\..." path of the prefix as a Linux path.
e2e_c_path() {
  local rest=${1#[Cc]:}
  printf '%s/drive_c%s' "$WINEPREFIX" "${rest//\\//}"
}

settings_file() { e2e_c_path "$VANTREL_DIR_WIN\\Vantrel.ini"; }

# --- display -----------------------------------------------------------------------------

e2e_start_display() {
  [[ -n "${DISPLAY:-}" ]] && return 0
  xvfb_start 1024x768x24
}

e2e_screenshot() {  # e2e_screenshot NAME: saves build/e2e/shots/NAME.png and prints its path
  local out=$E2E_WORK/shots/$1.png
  mkdir -p "$(dirname "$out")"
  import -window root -display "$DISPLAY" "$out" 2>/dev/null && printf '%s\n' "$out"
}

# --- Wine --------------------------------------------------------------------------------

wine_run() { "$WINE" "$@" 2>/dev/null; }

# The driver; its standard error carries only Wine's own notices.
drv() { "$WINE" "$(e2e_win_path "$DRIVER_EXE")" "$@" 2>/dev/null; }

# A value of one "name=value" line of the driver's output.
drv_value() { drv "${@:2}" | sed -n "s/^$1=//p" | head -n 1; }  # drv_value NAME COMMAND ARGS...

e2e_regedit() {  # e2e_regedit FILE...: imports REGEDIT4 files into the prefix
  local f
  for f in "$@"; do
    wine_run regedit /S "$(e2e_win_path "$f")" || fail "regedit could not import $f"
  done
}

e2e_reg_value() {  # e2e_reg_value KEY NAME: the data of a string value, empty when absent
  wine_run reg query "$1" /v "$2" | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
e2e_reg_value_is() { [[ "$(e2e_reg_value "$1" "$2")" == "$3" ]]; }  # KEY NAME DATA

# Writes $E2E_WORK/NAME.reg, a REGEDIT4 file of LINEs (one may hold several), and prints its path.
e2e_reg_file() {  # e2e_reg_file NAME LINE...
  local reg=$E2E_WORK/$1.reg
  shift
  printf '%s\n' REGEDIT4 '' "$@" | sed 's/$/\r/' >"$reg"
  printf '%s' "$reg"
}

e2e_reg_import() { e2e_regedit "$(e2e_reg_file import "$@")"; }  # e2e_reg_import LINE...

# Ends every Windows process of the prefix.
wine_stop() {
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
}

# The same within a case that starts again, with the stand-in's log of the last start gone.
wine_stop_and_forget() {
  wine_stop
  rm -f "$MSIMN_LOG"
}

e2e_make_prefix() {  # e2e_make_prefix NAME
  export WINEPREFIX=$E2E_WORK/prefix-$1
  "$WINESERVER" -k 2>/dev/null || true
  chattr -i "$(e2e_c_path "$VANTREL_DIR_WIN")" 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  mkdir -p "$E2E_WORK"
  "$WINE" wineboot -i >/dev/null 2>&1 || return 1
  # Without a window manager Wine waits for one at every hide when it manages the windows.
  wine_run regedit /S "$(e2e_win_path "$(e2e_reg_file x11 \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"')")"
  "$WINESERVER" -w
}

e2e_install_msimn() {
  mkdir -p "$(e2e_c_path "$OE_DIR_WIN")" && cp "$MSIMN_EXE" "$(e2e_c_path "$OE_EXE_WIN")"
}

e2e_install_vantrel() {
  local dir lang=${VANTREL_EXE%/*}/lang.ini
  dir=$(e2e_c_path "$VANTREL_DIR_WIN")
  mkdir -p "$dir"
  cp "$VANTREL_EXE" "$dir/Vantrel.exe"
  # The language file ships beside the executable.
  if [[ -f "$lang" ]]; then cp "$lang" "$dir/lang.ini"; fi
}

# Ends every Windows process of the prefix and forgets what the last case left.
e2e_reset() {
  e2e_stop_and_unlock
  wine_run regedit /S "$(e2e_win_path "$(e2e_reg_file reset '[-HKEY_CURRENT_USER\Identities]' '' \
    "[-$OE_KEY]" '' "[-$SHARED_ACCOUNTS_KEY]")")"
  rm -f "$(settings_file)" "$MSIMN_LOG"
  VANTREL_PID=
}

# --- the programs --------------------------------------------------------------------------

# Starts Vantrel.exe in the background from its folder; VANTREL_PID is the Linux process.
vantrel_start() {
  (cd "$(e2e_c_path "$VANTREL_DIR_WIN")" && exec "$WINE" "$VANTREL_EXE_WIN" "$@") \
    >/dev/null 2>&1 &
  VANTREL_PID=$!
}

# Waits for Vantrel to end and sets EXIT_STATUS (255 for -1); fails after SECONDS. Not for use
# inside "$(...)": only this shell can collect the status of its own background process.
vantrel_wait_exit() {  # vantrel_wait_exit SECONDS [PID]
  local pid=${2:-$VANTREL_PID} deadline=$((SECONDS + $1))
  while kill -0 "$pid" 2>/dev/null; do
    ((SECONDS < deadline)) || fail "Vantrel still runs after $1 s"
    sleep 0.2
  done
  EXIT_STATUS=0
  wait "$pid" || EXIT_STATUS=$?
}

vantrel_running() { kill -0 "${1:-$VANTREL_PID}" 2>/dev/null; }

# Vantrel handles messages again, e.g. after looking for Outlook Express's window without.
vantrel_answers() {
  drv send "${MAIN[@]}" "$WM_NULL" 0 0 --timeout 10000 >/dev/null || fail "Vantrel does not answer"
}

# Outlook Express registered and the first run's settings changed by SETTINGs (as
# e2e_write_settings takes them).
e2e_prepare() {  # e2e_prepare SETTING...
  e2e_regedit "$E2E_FIXTURES/oe-installroot.reg"
  e2e_write_settings "$@"
}

# Vantrel started so prepared; returns once the stand-in shows its window.
launch_with() {  # launch_with SETTING...
  e2e_prepare "$@"
  vantrel_start
  msimn_wait_log window=shown 20
  vantrel_answers
}

# Waits for the configuration window; with ARGs, Vantrel is started with them first.
config_window() {  # config_window [ARG...]
  (($# == 0)) || vantrel_start "$@"
  drv wait "${MAIN[@]}" --visible --timeout 20000 >/dev/null || fail "no configuration window"
}

expect_setting() {  # expect_setting SECTION KEY VALUE, read with the profile functions
  expect_eq "[$1] $2" "$3" \
    "$(drv ini get "$(e2e_win_path "$(settings_file)")" "$1" "$2" '<absent>' | iconv -f CP1252 -t UTF-8)"
}

# Waits for a message box of Vantrel's and checks its whole text and its icon.
expect_box() {  # expect_box TEXT ICON [SECONDS]
  drv wait "${BOX[@]}" --timeout "${3:-20}000" >/dev/null || fail "no box saying [$1]"
  local said
  said=$(drv text "${BOX[@]}")
  expect_eq "box text" "$1" "$(sed -n 's/^text=//p' <<<"$said")"
  expect_contains "box icon" "icon=$2" "$said"
}

# Minimised, the followed Outlook Express goes into the tray; fails with WHAT when it stays.
expect_put_away_when_minimised() {  # expect_put_away_when_minimised WHAT [SECONDS]
  drv show "${OE[@]}" "$SW_MINIMIZE" >/dev/null ||
    fail "the driver could not minimise Outlook Express"
  wait_until "${2:-3}" "$1" window_state_is "visible=0" "${OE[@]}"
}

# Polls COMMAND until it succeeds; fails with WHAT after SECONDS.
wait_until() {  # wait_until SECONDS WHAT COMMAND...
  wait_for "$1" "${@:3}" || fail "$2 after $1 s"
}

# Whether every NAME=VALUE holds in the driver's state of the matching window.
window_state_is() {  # window_state_is "NAME=VALUE..." SELECTOR...
  local wanted=$1 state pair
  shift
  state=$(drv state "$@") || return 1
  for pair in $wanted; do
    grep -qxF -- "$pair" <<<"$state" || return 1
  done
}

# --- the tray menu -----------------------------------------------------------------------------

TRAY_MENU=(--class '#32768' --visible)

# What a click on the tray icon (by default a left one) tells Vantrel.
tray_click() {  # tray_click [MESSAGE]
  drv post "${MAIN[@]}" "$WM_TRAYNOTIFY" 0 "${1:-$WM_LBUTTONUP}" >/dev/null || fail "no main window"
}

# Opens Vantrel's tray menu as a right click does and walks it with keys. The menu's modal loop
# runs on Vantrel's thread and reads keys posted to its main window from the queue. With
# TRAY_MENU_SHOT set, the open menu is saved as that screenshot.
tray_menu() {  # tray_menu VK...
  local key
  tray_click "$WM_RBUTTONUP"
  drv wait "${TRAY_MENU[@]}" --timeout 5000 >/dev/null || fail "the tray menu did not open"
  [[ -z "${TRAY_MENU_SHOT:-}" ]] || e2e_screenshot "$TRAY_MENU_SHOT" >/dev/null || true
  for key in "$@"; do
    drv post "${MAIN[@]}" "$WM_KEYDOWN" "$key" 0 >/dev/null
    # Time for the menu to take the key: which item is lit shows nowhere the driver can read.
    sleep 0.2
  done
  drv gone "${TRAY_MENU[@]}" --timeout 3000 >/dev/null || fail "the tray menu stayed open"
}

# Configuration, the item above Quit, and the window it opens.
config_from_tray_menu() {
  tray_menu "$VK_END" "$VK_UP" "$VK_RETURN"
  drv wait "${MAIN[@]}" --visible --timeout 5000 >/dev/null || fail "no configuration window"
}

# Quit, the last item, and the end with status 0 it brings.
quit_from_tray_menu() {
  tray_menu "$VK_END" "$VK_RETURN"
  vantrel_wait_exit 10
  expect_eq "exit status after Quit" 0 "$EXIT_STATUS"
}

# Wine's own notification area without a desktop shell: a window shown while it holds icons.
WINE_TRAY=(--class __winex11_standalone_tray)
tray_icon_shown() { window_state_is "visible=1" "${WINE_TRAY[@]}" --timeout 0; }
tray_icon_gone() { ! tray_icon_shown; }

# The stand-in's log so far, empty before it starts.
msimn_log() { [[ ! -f "$MSIMN_LOG" ]] || tr -d '\r' <"$MSIMN_LOG"; }
msimn_log_has() { msimn_log | grep -qxF -- "$1"; }
msimn_log_count() { msimn_log | grep -cxF -- "$1" || true; }  # msimn_log_count LINE

# Waits until the stand-in logged LINE (a whole line); fails after SECONDS.
msimn_wait_log() {  # msimn_wait_log LINE SECONDS
  wait_for "$2" msimn_log_has "$1" || fail "stand-in log lacks [$1]: $(msimn_log | tr '\n' '|')"
}

# How many stand-ins (or copies of it) have started since the case began.
msimn_start_count() { msimn_log | grep -c '^start pid=' || true; }
msimn_started_at_least() { (($(msimn_start_count) >= $1)); }

# The value of the last "NAME=..." line of the stand-in's log.
msimn_log_value() { msimn_log | sed -n "s/^$1=//p" | tail -n 1; }

# The id of the visible button captioned TEXT in a window (hidden tab pages may hold controls
# of the same caption), from the driver's control listing.
button_id() {  # button_id TEXT SELECTOR...
  local text=$1
  shift
  drv controls "$@" | awk -v t="text=$text" '/class=Button visible=1 / && index($0, t) && substr($0, index($0, t)) == t {
    sub(/^id=/, "", $1); print $1; exit }'
}

# Writes the settings file as the first run leaves it, with NAME=VALUE overrides, Windows-1252.
# SECTION/NAME=VALUE adds a key the first run does not write at the end of SECTION (made anew at
# the end of the file when missing), in the order given.
e2e_write_settings() {
  local file
  file=$(settings_file)
  mkdir -p "$(dirname "$file")"
  # Through the environment: awk -v would take the backslashes of paths for escapes.
  first_run_settings | sed 's/^FirstRun=1$/FirstRun=0/' | E2E_SETTINGS=$(printf '%s\n' "$@") awk '
    BEGIN {
      n = split(ENVIRON["E2E_SETTINGS"], pairs, "\n")
      for (i = 1; i <= n; i++) {
        key = substr(pairs[i], 1, index(pairs[i], "=") - 1)
        if (!index(key, "/")) { if (key != "") value[key] = substr(pairs[i], length(key) + 2); continue }
        s = substr(key, 1, index(key, "/") - 1)
        if (!(s in added)) order[++sections] = s
        added[s] = added[s] substr(pairs[i], length(s) + 2) "\n"
      }
    }
    function add_keys() { printf "%s", added[section]; delete added[section] }
    /^\[/ { add_keys(); section = substr($0, 2, length($0) - 2); print; next }
    { key = substr($0, 1, index($0, "=") - 1); if (key in value) $0 = key "=" value[key]; print }
    END {
      add_keys()
      for (i = 1; i <= sections; i++) if ((section = order[i]) in added) { print "[" section "]"; add_keys() }
    }' | sed 's/$/\r/' | iconv -f UTF-8 -t CP1252 >"$file"
}

# The lines a first run writes, in order (UTF-8 here; the file holds Windows-1252).
first_run_settings() {
  cat <<'INI'
[General]
FirstRun=1
[Run]
ModeMail=1
ReduceInTray=1
StartReduced=0
ConfirmClose=0
RestoreMaximized=0
RestoreDblClk=0
Lang=Français
[Identities]
checkNoIdentities=1
checkIdentitiesChoice=0
[Email]
checkNoMail=1
checkVerifyAllId=0
checkMailWindow=1
editMailWindowTime=10
checkMailSound=1
editMailTime=3
INI
}

# --- suites and cases ----------------------------------------------------------------------

e2e_require() {  # e2e_require FILE...: fails the suite early when a build product is missing
  local f missing=0
  for f in "$@"; do
    [[ -f "$f" ]] || { e2e_log "e2e: missing $f (build the windows preset first)"; missing=1; }
  done
  return $missing
}

e2e_begin_suite() {  # e2e_begin_suite NAME
  E2E_SUITE=$1
  MSIMN_LOG=$E2E_WORK/msimn-$1.log
  export VANTREL_MSIMN_LOG
  VANTREL_MSIMN_LOG=$(e2e_win_path "$MSIMN_LOG")
  mkdir -p "$E2E_WORK/logs"
  e2e_start_display || return 1
  e2e_make_prefix "$1" || { e2e_log "e2e: wineboot failed for suite $1"; return 1; }
}

# No Windows process left, and Vantrel's folder writable again: a case that made it unwritable
# may have been cut short.
e2e_stop_and_unlock() {
  wine_stop
  chattr -i "$(e2e_c_path "$VANTREL_DIR_WIN")" 2>/dev/null || true
}

# The same, with the stand-in Outlook Express and Vantrel installed in the prefix.
e2e_begin_vantrel_suite() {  # e2e_begin_vantrel_suite NAME
  e2e_require "$VANTREL_EXE" "$MSIMN_EXE" "$DRIVER_EXE" || return 1
  e2e_begin_suite "$1" || return 1
  e2e_install_msimn
  e2e_install_vantrel
}

# A prefix takes about 700 MB: it goes with its suite unless VANTREL_E2E_KEEP_PREFIX is set.
e2e_end_suite() {
  e2e_stop_and_unlock
  [[ -n "${VANTREL_E2E_KEEP_PREFIX:-}" ]] || rm -rf "$WINEPREFIX"
}

# Runs FUNCTION in a subshell with errexit after a reset; its output goes to a log file.
e2e_case() {  # e2e_case NAME FUNCTION
  local name="$E2E_SUITE/$1" func=$2
  if [[ -n "$E2E_FILTER" && "$name" != *$E2E_FILTER* ]]; then return 0; fi
  local log=$E2E_WORK/logs/${name//\//-}.log
  e2e_reset
  local start=$SECONDS
  (
    set -euo pipefail
    E2E_CASE_NAME=$name
    "$func"
  ) >"$log" 2>&1 &
  local pid=$! status=0
  local deadline=$((SECONDS + E2E_CASE_TIMEOUT))
  while kill -0 "$pid" 2>/dev/null && ((SECONDS < deadline)); do sleep 0.2; done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    echo "FAIL: timed out after $E2E_CASE_TIMEOUT s" >>"$log"
  fi
  wait "$pid" || status=$?
  if ((status == 0)); then
    E2E_PASSED=$((E2E_PASSED + 1))
    printf 'ok   %s (%ds)\n' "$name" $((SECONDS - start))
  else
    E2E_FAILED=$((E2E_FAILED + 1))
    local reason
    reason=$(grep '^FAIL: ' "$log" | tail -n 1)
    printf 'FAIL %s (%ds): %s [log: %s]\n' "$name" $((SECONDS - start)) \
      "${reason#FAIL: }" "${log#"$E2E_ROOT"/}"
  fi
}

# Runs the function case_NAME as the case NAME, for each NAME in turn.
e2e_cases() {  # e2e_cases NAME...
  local name
  for name in "$@"; do e2e_case "$name" "case_$name"; done
}

# Runs suite functions and prints the closing count; exit status 1 when any case failed.
e2e_run_suites() {  # e2e_run_suites SUITE_FUNCTION...
  local suite
  for suite in "$@"; do
    if ! "$suite"; then
      E2E_FAILED=$((E2E_FAILED + 1))
      printf 'FAIL %s: the suite could not start\n' "$suite"
    fi
  done
  printf '%d passed, %d failed\n' "$E2E_PASSED" "$E2E_FAILED"
  ((E2E_FAILED == 0))
}
