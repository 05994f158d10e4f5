#!/usr/bin/env bash
# The installer as a user meets it: a silent installation per user, the installed Vantrel
# configured and keeping its settings beside itself, the uninstaller taking away what was
# installed and leaving the settings unless asked. Runs the 64-bit build of the installer
# (scripts/package leaves it in build/package): this Wine runs 64-bit programs only.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

SETUP_EXE=${VANTREL_SETUP_EXE:-$E2E_ROOT/build/package/setup-x64-only.exe}
RUN_KEY='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'
INSTALLED_FILES=(Vantrel.exe lang.ini README.txt LISEZMOI.txt LICENSE.txt Uninstall.exe)

# The folders of the prefix's user, as Linux paths.
install_dir() { e2e_c_path "$(wine_run cmd /c echo '%LOCALAPPDATA%' | tr -d '\r')\\Programs\\Vantrel"; }
start_menu_link() {
  e2e_c_path "$(wine_run cmd /c echo '%APPDATA%' | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs\\Vantrel.lnk"
}

run_setup() {  # run_setup ARGS...: a silent installation, waited for
  wine_run "$(e2e_win_path "$SETUP_EXE")" /S "$@" || fail "the installer failed ($?)"
}

# The silent uninstaller hands over to a copy of itself and returns at once: wait for its work.
run_uninstaller() {  # run_uninstaller ARGS...
  local dir=$1
  shift
  [[ -f "$dir/Uninstall.exe" ]] || fail "no uninstaller"
  wine_run "$(e2e_win_path "$dir/Uninstall.exe")" /S "$@" || fail "the uninstaller failed ($?)"
  wait_until 30 "the uninstaller left files" uninstalled "$dir"
  "$WINESERVER" -w
}
uninstalled() { [[ ! -e "$1/Uninstall.exe" && ! -e "$1/Vantrel.exe" ]]; }

expect_installed() {  # expect_installed DIR
  local file
  for file in "${INSTALLED_FILES[@]}"; do
    [[ -f "$1/$file" ]] || fail "$file not installed"
  done
  cmp -s "$1/Vantrel.exe" "$E2E_BUILD/src/win32/Vantrel.exe" ||
    fail "the installed Vantrel.exe is not the 64-bit build"
  [[ -f "$(start_menu_link)" ]] || fail "no Start-menu shortcut"
}

case_install_and_uninstall() {
  local dir
  dir=$(install_dir)
  run_setup
  expect_installed "$dir"
  expect_eq "version in Add or Remove Programs" "$VANTREL_VERSION" \
    "$(e2e_reg_value "$UNINSTALL_KEY" DisplayVersion)"
  expect_eq "start with Windows unless chosen" "" "$(e2e_reg_value "$RUN_KEY" Vantrel)"

  # The installed program at its first start: the message, then the configuration window.
  (cd "$dir" && exec "$WINE" "$(e2e_win_path "$dir/Vantrel.exe")" /config) >/dev/null 2>&1 &
  VANTREL_PID=$!
  drv wait "${BOX[@]}" --timeout 20000 >/dev/null || fail "no first-run message"
  drv press "${BOX[@]}" "$IDOK" >/dev/null
  config_window
  e2e_screenshot installed-configuration >/dev/null || true
  local ok
  ok=$(button_id OK "${MAIN[@]}")
  [[ -n "$ok" ]] || fail "no OK button"
  drv click "${MAIN[@]}" "$ok" >/dev/null
  vantrel_wait_exit 20
  expect_eq "exit status after OK" 0 "$EXIT_STATUS"
  [[ -f "$dir/Vantrel.ini" ]] || fail "no settings beside the installed Vantrel.exe"
  expect_eq "first run over" 0 \
    "$(drv ini get "$(e2e_win_path "$dir/Vantrel.ini")" General FirstRun '<absent>')"

  run_uninstaller "$dir"
  local file
  for file in "${INSTALLED_FILES[@]}"; do
    [[ ! -e "$dir/$file" ]] || fail "$file left behind"
  done
  [[ ! -e "$(start_menu_link)" ]] || fail "the Start-menu shortcut left behind"
  expect_eq "Add or Remove Programs entry" "" "$(e2e_reg_value "$UNINSTALL_KEY" DisplayName)"
  [[ -f "$dir/Vantrel.ini" ]] || fail "the settings went with the program"
}

case_autostart_and_settings_removal() {
  local dir
  dir=$(install_dir)
  run_setup /AUTOSTART
  expect_installed "$dir"
  expect_eq "start with Windows" "\"$(wine_run cmd /c echo '%LOCALAPPDATA%' | tr -d '\r')\\Programs\\Vantrel\\Vantrel.exe\"" \
    "$(e2e_reg_value "$RUN_KEY" Vantrel)"
  # A second installation over the first keeps the choice.
  run_setup
  expect_installed "$dir"
  [[ -n "$(e2e_reg_value "$RUN_KEY" Vantrel)" ]] || fail "reinstalling dropped the start with Windows"
  printf '[General]\r\nFirstRun=0\r\n' >"$dir/Vantrel.ini"
  run_uninstaller "$dir" /REMOVESETTINGS
  expect_eq "start with Windows after uninstalling" "" "$(e2e_reg_value "$RUN_KEY" Vantrel)"
  [[ ! -e "$dir" ]] || fail "the folder stayed: $(ls -A "$dir" | tr '\n' ' ')"
}

# A lang.ini the user changed (a language of their own added) is never lost: an upgrade puts it
# aside under a free name before the new one goes in, and the uninstaller keeps it with the
# settings. The file as installed is neither put aside nor kept.
case_changed_lang_ini_is_kept() {
  local dir shipped="$E2E_ROOT/resources/lang.ini"
  dir=$(install_dir)
  run_setup
  cmp -s "$dir/lang.ini" "$shipped" || fail "lang.ini is not the shipped one"
  run_setup
  [[ ! -e "$dir/lang-user.ini" ]] || fail "an unchanged lang.ini was put aside"

  printf '[xx]\r\nlangName=Mine\r\n' >>"$dir/lang.ini"
  cp "$dir/lang.ini" "$E2E_WORK/lang-mine.ini"
  run_setup
  cmp -s "$dir/lang.ini" "$shipped" || fail "the upgrade did not put the new lang.ini in place"
  cmp -s "$dir/lang-user.ini" "$E2E_WORK/lang-mine.ini" || fail "the changed lang.ini was lost"

  printf '[yy]\r\nlangName=Mine too\r\n' >>"$dir/lang.ini"
  cp "$dir/lang.ini" "$E2E_WORK/lang-mine-2.ini"
  run_setup
  cmp -s "$dir/lang-user.ini" "$E2E_WORK/lang-mine.ini" || fail "the first kept lang.ini was replaced"
  cmp -s "$dir/lang-user-2.ini" "$E2E_WORK/lang-mine-2.ini" || fail "the second one was lost"

  printf '[zz]\r\nlangName=Mine again\r\n' >>"$dir/lang.ini"
  cp "$dir/lang.ini" "$E2E_WORK/lang-mine-3.ini"
  run_uninstaller "$dir"
  cmp -s "$dir/lang.ini" "$E2E_WORK/lang-mine-3.ini" || fail "the uninstaller took the changed lang.ini"
  [[ -f "$dir/lang-user.ini" && -f "$dir/lang-user-2.ini" ]] || fail "the kept ones went"

  run_setup
  run_uninstaller "$dir" /REMOVESETTINGS
  [[ ! -e "$dir" ]] || fail "removing the settings left: $(ls -A "$dir" | tr '\n' ' ')"
}

# Declared DPI-aware, Vantrel lays its window out for the system's DPI itself.
case_config_window_at_144_dpi() {
  wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f ||
    fail "could not set the DPI"
  wine_stop
  e2e_write_settings
  config_window /config
  sleep 1  # a picture of the painted window: painting leaves no sign the driver can wait on
  e2e_screenshot config-144-dpi >/dev/null || true
  expect_eq "client area, half as large again as at 96 DPI" 446x731 \
    "$(drv_value client state "${MAIN[@]}")"
  drv post "${MAIN[@]}" "$WM_SYSCOMMAND" "$SC_CLOSE" 0 >/dev/null
  vantrel_wait_exit 20
  wine_run reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f
}

suite_install() {
  e2e_require "$SETUP_EXE" "$DRIVER_EXE" "$E2E_BUILD/src/win32/Vantrel.exe" || return 1
  VANTREL_VERSION=$(vantrel_version)
  e2e_begin_suite install || return 1
  e2e_cases install_and_uninstall autostart_and_settings_removal changed_lang_ini_is_kept
  e2e_install_vantrel
  e2e_cases config_window_at_144_dpi
  e2e_end_suite
}

[[ "${BASH_SOURCE[0]}" != "$0" ]] || e2e_run_suites suite_install
