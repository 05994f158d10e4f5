#!/usr/bin/env bash
# Start-up as a user meets it: first run, the configuration switch, a second copy, finding and
# launching Outlook Express (the stand-in), and the search for it when the registry is silent.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

OPEN_DIALOG=(--class '#32770' --title-part 'Où se trouve')
FIRST_RUN_TEXT="C'est la première fois que vous lancez Vantrel. Vous allez voir une fenêtre de configuration.\\nQuand vous aurez validé cette fenêtre, vous pourrez lancer Vantrel."

# Confirms the configuration window with its OK button, as a user would, which ends Vantrel.
press_config_ok() {
  click_caption OK
  vantrel_wait_exit 20
  expect_eq "exit status after OK" 0 "$EXIT_STATUS"
}

click_caption() {  # click_caption TEXT: clicks the button, check box or radio captioned TEXT
  local id
  id=$(button_id "$1" "${MAIN[@]}")
  [[ -n "$id" ]] || fail "no control captioned [$1]"
  drv click "${MAIN[@]}" "$id" >/dev/null || fail "could not click [$1]"
}

no_message_box() {
  [[ -z "$(drv list "${BOX[@]}")" ]] || fail "a message box showed: $(drv text "${BOX[@]}")"
}

expect_settings_values() {  # every first-run key reads back with its value (FirstRun 0)
  local section="" line
  while IFS= read -r line; do
    if [[ "$line" == \[* ]]; then
      section=${line:1:-1}
      continue
    fi
    expect_setting "$section" "${line%%=*}" "${line#*=}"
  done < <(first_run_settings | sed 's/^FirstRun=1$/FirstRun=0/')
}

case_first_run() {
  e2e_regedit "$E2E_FIXTURES/oe-installroot.reg"
  vantrel_start
  expect_box "$FIRST_RUN_TEXT" none
  expect_eq "window hidden behind the message" 0 "$(drv_value visible state "${MAIN[@]}")"

  local expected
  expected=$(first_run_settings | sed 's/^FirstRun=1$/FirstRun=0/' | sed 's/$/\r/' |
    iconv -f UTF-8 -t CP1252 | od -An -c)
  expect_eq "settings file written at the first run" "$expected" "$(od -An -c <"$(settings_file)")"

  drv press "${BOX[@]}" "$IDOK" >/dev/null
  config_window
  e2e_screenshot first-run-configuration
  expect_eq "client area" 297x487 "$(drv_value client state "${MAIN[@]}")"
  expect_contains "first page shown" "class=SysTabControl32 visible=1 enabled=1 checked=- selected=0" \
    "$(drv controls "${MAIN[@]}")"
  press_config_ok
  [[ ! -f "$MSIMN_LOG" ]] || fail "Outlook Express was started on the first run"
  expect_settings_values
  # Not in a new file, which other tools compare: written by the first OK.
  expect_setting Email checkMailPreview 1
}

case_config_switch_exact() {
  e2e_prepare
  config_window other /config
  no_message_box
  local controls
  controls=$(drv controls "${MAIN[@]}")
  expect_contains "version label" "text=Outlook Express v6.00.2900.5512" "$controls"
  expect_contains "program label" "text=Vantrel v$(vantrel_version)" "$controls"
  [[ ! -f "$MSIMN_LOG" ]] || fail "Outlook Express was started with /config"
  click_caption "Ouvrir en mode forums de discussions"
  click_caption "Démarrer réduit"
  press_config_ok
  expect_setting Run ModeMail 0
  expect_setting Run StartReduced 1
  expect_setting Run ReduceInTray 1
}

# The close button of the configuration window saves exactly as OK does.
case_config_close_button_saves() {
  e2e_write_settings
  config_window /config
  click_caption "Confirmation à la fermeture"
  drv post "${MAIN[@]}" "$WM_SYSCOMMAND" "$SC_CLOSE" 0 >/dev/null
  vantrel_wait_exit 20
  expect_eq "exit status after closing" 0 "$EXIT_STATUS"
  expect_setting Run ConfirmClose 1
}

case_config_switch_other_case_launches() {
  e2e_prepare
  vantrel_start /CONFIG
  msimn_wait_log window=shown 20
  expect_eq "configuration window shown" 0 "$(drv_value visible state "${MAIN[@]}")"
  vantrel_running || fail "Vantrel ended after launching Outlook Express"
}

case_second_copy_ends_at_once() {
  e2e_prepare
  config_window /config
  local first=$VANTREL_PID
  vantrel_start
  vantrel_wait_exit 20
  expect_eq "second copy's exit status" 255 "$EXIT_STATUS"
  expect_eq "main windows" 1 "$(drv_value count state "${MAIN[@]}")"
  no_message_box
  [[ ! -f "$MSIMN_LOG" ]] || fail "the second copy started Outlook Express"
  vantrel_running "$first" || fail "the first copy ended"
  VANTREL_PID=$first
  press_config_ok
}

case_launch_mail() {
  launch_with
  expect_eq "command line" "\"$OE_EXE_WIN\" " "$(msimn_log_value cmdline)"
  expect_eq "show state" 1 "$(msimn_log_value show)"
  drv wait "${OE[@]}" --visible >/dev/null || fail "no visible Outlook Express window"
  expect_eq "Outlook Express minimised" 0 "$(drv_value iconic state "${OE[@]}")"
  expect_eq "configuration window shown" 0 "$(drv_value visible state "${MAIN[@]}")"
  no_message_box
  e2e_screenshot launch-mail
  vantrel_running || fail "Vantrel ended after the launch"
}

case_launch_news() {
  launch_with ModeMail=0
  expect_eq "command line" "\"$OE_EXE_WIN\" /news" "$(msimn_log_value cmdline)"
}

# Seconds during which Outlook Express shows its identity logon window do not count against
# the wait for its main window.
case_launch_waits_through_logon() {
  e2e_prepare
  VANTREL_MSIMN_LOGON_MS=9000 vantrel_start
  msimn_wait_log window=shown 40
  sleep 2  # time for Vantrel to give up, which it must not
  vantrel_running || fail "Vantrel gave up while the logon window was shown"
}

case_launch_gives_up_without_window() {
  e2e_prepare
  VANTREL_MSIMN_DELAY_MS=60000 vantrel_start
  msimn_wait_log "show=1" 20
  vantrel_wait_exit 40
  ! msimn_log_has window=shown || fail "the main window appeared before Vantrel gave up"
}

# Each row: the expected show state, then the settings it comes from.
START_STATES=(
  "1 StartReduced=0 ReduceInTray=1 checkIdentitiesChoice=1"
  "0 StartReduced=1 ReduceInTray=1 checkIdentitiesChoice=0"
  "6 StartReduced=1 ReduceInTray=0 checkIdentitiesChoice=0"
  "6 StartReduced=1 ReduceInTray=1 checkIdentitiesChoice=1"
)

case_launch_show_states() {
  local row show
  for row in "${START_STATES[@]}"; do
    read -r show settings <<<"$row"
    wine_stop_and_forget
    # shellcheck disable=SC2086 # the settings are words on purpose
    launch_with $settings
    expect_eq "show state for $settings" "$show" "$(msimn_log_value show)"
    if [[ "$show" == 0 ]]; then
      wait_until 10 "a hidden start did not end minimised" window_state_is "iconic=1" "${OE[@]}"
    fi
  done
}

# Without a usable "InstallRoot" the user is asked; cancelling explains and ends.
case_locate_cancelled() {
  local fixture
  for fixture in "" oe-installroot-without-exe.reg; do
    wine_stop
    [[ -z "$fixture" ]] || e2e_regedit "$E2E_FIXTURES/$fixture"
    e2e_write_settings
    vantrel_start
    drv wait "${OPEN_DIALOG[@]}" --timeout 20000 >/dev/null || fail "no open dialog (${fixture:-no key})"
    expect_eq "dialog title" "Où se trouve l'executable de Outlook Express ?" \
      "$(drv_value title state "${OPEN_DIALOG[@]}")"
    expect_contains "file name" "class=Edit" "$(drv controls "${OPEN_DIALOG[@]}" | grep 'text=msimn.exe$')"
    e2e_screenshot "locate-dialog${fixture:+-$fixture}"
    drv press "${OPEN_DIALOG[@]}" 2 >/dev/null
    expect_box "Impossible de trouver Outlook Express. Vous n'avez peut être pas choisi le bon chemin" \
      error 10
    drv press "${BOX[@]}" "$IDOK" >/dev/null
    vantrel_wait_exit 20
    [[ ! -f "$MSIMN_LOG" ]] || fail "Outlook Express was started after cancelling"
  done
  expect_eq "InstallRoot after cancelling" 'C:\Nowhere\Outlook Express' \
    "$(e2e_reg_value "$OE_KEY" InstallRoot)"
}

case_locate_chosen_file_is_kept() {
  e2e_regedit "$E2E_FIXTURES/oe-no-installroot.reg"
  e2e_write_settings
  vantrel_start
  drv opendlg "${OPEN_DIALOG[@]}" --timeout 20000 "$OE_EXE_WIN" >/dev/null ||
    fail "could not choose the file in the open dialog"
  msimn_wait_log window=shown 20
  expect_eq "command line" "\"$OE_EXE_WIN\" " "$(msimn_log_value cmdline)"
  expect_eq "InstallRoot" "$OE_DIR_WIN" "$(e2e_reg_value "$OE_KEY" InstallRoot)"

  wine_stop_and_forget
  vantrel_start
  msimn_wait_log window=shown 20
  [[ -z "$(drv list "${OPEN_DIALOG[@]}")" ]] || fail "the open dialog showed again"
}

# Vantrel copied into FOLDER works there: its first run makes the settings file in it, the next
# start launches Outlook Express without a message, and lang.ini beside it gives English.
works_from_folder() {  # works_from_folder 'C:\FOLDER'
  VANTREL_DIR_WIN=$1
  VANTREL_EXE_WIN="$VANTREL_DIR_WIN\\Vantrel.exe"
  local dir
  dir=$(e2e_c_path "$VANTREL_DIR_WIN")
  rm -rf "$dir"
  mkdir -p "$dir"
  cp "$(e2e_c_path 'C:\Vantrel')/Vantrel.exe" "$(e2e_c_path 'C:\Vantrel')/lang.ini" "$dir/"
  e2e_regedit "$E2E_FIXTURES/oe-installroot.reg"

  vantrel_start
  expect_box "$FIRST_RUN_TEXT" none
  [[ -f "$dir/Vantrel.ini" ]] || fail "no settings file in $dir: $(ls "$(dirname "$dir")" | tr '\n' ' ')"
  drv press "${BOX[@]}" "$IDOK" >/dev/null
  config_window
  press_config_ok
  # Read from here: the driver's profile functions take ANSI paths.
  grep -q $'^FirstRun=0\r$' "$dir/Vantrel.ini" || fail "the first run was not recorded"

  vantrel_start
  msimn_wait_log window=shown 20
  no_message_box
  vantrel_running || fail "Vantrel ended after the launch"

  wine_stop
  e2e_write_settings Lang=English
  config_window /config
  expect_contains "English from lang.ini" "text=Open in mail mode" "$(drv controls "${MAIN[@]}")"
}

# A folder name whose letter is outside Latin-1 in the ANSI code page (0x8C is "Œ" in
# Windows-1252).
case_ansi_folder() { works_from_folder 'C:\Œuvre'; }

# A folder name the ANSI code page cannot write at all (Cyrillic on this Western Wine), as a
# per-user installation's is under such a user name: Vantrel goes by the folder's short name.
case_cyrillic_folder() { works_from_folder 'C:\Пользователь'; }

HIDDEN_START=(StartReduced=1 ReduceInTray=1)

# Started hidden, Outlook Express is out of reach until Vantrel has its window: a cold start
# slower than the five-second wait is still followed, put in the tray and brought back.
case_hidden_start_slow_window() {
  e2e_prepare "${HIDDEN_START[@]}"
  VANTREL_MSIMN_DELAY_MS=12000 vantrel_start
  msimn_wait_log show=0 20
  msimn_wait_log window=shown 30
  wait_until 10 "the late window was not put in the tray" \
    window_state_is "visible=0 iconic=1" "${OE[@]}" --timeout 0
  vantrel_running || fail "Vantrel ended although Outlook Express came"
  tray_click
  wait_until 5 "a click on the icon did not bring Outlook Express back" \
    window_state_is "visible=1 iconic=0" "${OE[@]}" --timeout 0
}

# One that never shows its window is ended, not left running without a way to reach it.
case_hidden_start_without_window_is_ended() {
  e2e_prepare "${HIDDEN_START[@]}"
  VANTREL_MSIMN_DELAY_MS=600000 vantrel_start
  msimn_wait_log show=0 20
  ! msimn_not_running || fail "the stand-in's process is not seen"
  local started=$SECONDS
  vantrel_wait_exit 100
  ((SECONDS - started >= 50)) || fail "Vantrel gave up after $((SECONDS - started)) s"
  wait_until 10 "the hidden Outlook Express still runs" msimn_not_running
  ! msimn_log_has window=shown || fail "the main window appeared"
}

# Whether a stand-in process of this prefix runs, as the driver finds it by its image name.
msimn_not_running() { [[ "$(drv exitcode --image msimn.exe --timeout 0)" != running ]]; }

# A settings folder that cannot be written: one clear message, then Outlook Express as usual,
# with no first run at every start.
case_settings_folder_not_writable() {
  local dir
  dir=$(e2e_c_path "$VANTREL_DIR_WIN")
  # shellcheck disable=SC2064 # the folder is fixed now, the function's locals are gone at exit
  trap "chattr -i '$dir' 2>/dev/null || true" EXIT
  chattr +i "$dir" || fail "chattr +i is not available here"
  e2e_regedit "$E2E_FIXTURES/oe-installroot.reg"
  local _
  for _ in 1 2; do
    wine_stop_and_forget
    vantrel_start
    expect_box "Impossible d'enregistrer le fichier de configuration $VANTREL_DIR_WIN\\Vantrel.ini. Les réglages ne pourront pas être conservés." \
      error
    drv press "${BOX[@]}" "$IDOK" >/dev/null
    msimn_wait_log window=shown 20
    no_message_box
    expect_eq "configuration window shown" 0 "$(drv_value visible state "${MAIN[@]}")"
    vantrel_running || fail "Vantrel ended after the launch"
  done
  [[ ! -e "$(settings_file)" ]] || fail "a settings file appeared"
}

suite_startup() {
  e2e_begin_vantrel_suite startup || return 1
  e2e_cases first_run config_switch_exact config_close_button_saves \
    config_switch_other_case_launches second_copy_ends_at_once launch_mail launch_news \
    launch_show_states launch_waits_through_logon launch_gives_up_without_window locate_cancelled \
    locate_chosen_file_is_kept ansi_folder cyrillic_folder hidden_start_slow_window \
    hidden_start_without_window_is_ended settings_folder_not_writable
  e2e_end_suite
}

[[ "${BASH_SOURCE[0]}" != "$0" ]] || e2e_run_suites suite_startup
