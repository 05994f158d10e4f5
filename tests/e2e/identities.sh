#!/usr/bin/env bash
# Identities as a user meets them: Outlook Express (the stand-in) started under the configured
# identity, switched to another by its hot key, the configured one written back when quitting
# from the tray menu, and the choice left to Outlook Express.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

IDENTITIES_KEY='HKEY_CURRENT_USER\Identities'

# identities-three.reg; alphabetical order Alice, Bob, Carol gives the hot keys F1, F2, F3.
BOB_GUID='{C5A8F0E3-6B7D-4C9E-A1F2-4D5E6F708A03}'
CAROL_GUID='{2F1D6A10-5B3C-4E7A-9C21-0A1B2C3D4E01}'
ALICE_GUID='{7C3E9B42-1D2F-4A6B-8E5C-3F4A5B6C7D02}'
NULL_GUID='{00000000-0000-0000-0000-000000000000}'

HOT_KEY_BASE_ID=49151  # minus the identity's index, as in src/app/tray_menu.h
CTRL_SHIFT=$((MOD_CONTROL | MOD_SHIFT))

press_identity_hot_key() {  # press_identity_hot_key INDEX: Ctrl+Shift+F1 for 0, F2 for 1, ...
  drv post "${MAIN[@]}" "$WM_HOTKEY" $((HOT_KEY_BASE_ID - $1)) $(((VK_F1 + $1) << 16 | CTRL_SHIFT)) \
    >/dev/null || fail "no main window for the hot key"
}

# The identity named by the values of the stand-in's last start, as it read them, or by the
# registry now.
expect_names() {  # expect_names WHERE NAME GUID READER...
  local where=$1 name=$2 guid=$3 value
  shift 3
  expect_eq "${where}Last Username" "$name" "$("$@" 'Last Username')"
  for value in 'Last User ID' 'Start As'; do
    expect_eq "$where$value" "$guid" "$("$@" "$value")"
  done
}
started_under() { expect_names "" "$1" "$2" msimn_log_value; }  # started_under NAME GUID
registry_names() { expect_names "registry " "$1" "$2" e2e_reg_value "$IDENTITIES_KEY"; }

stand_ins_ended() { (($(msimn_log_count exit) >= $1)); }

# A second stand-in has started and shown its window, and Vantrel, which looks for that window
# without handling messages, answers again.
relaunched() {
  msimn_started_at_least 2 && [[ "$(msimn_log | tail -n 1)" == window=shown ]] &&
    drv send "${MAIN[@]}" "$WM_NULL" 0 0 --timeout 10000 >/dev/null
}

# identities-three.reg, NAME the configured start identity, the stand-in's window shown.
start_as() {  # start_as NAME SETTING...
  e2e_regedit "$E2E_FIXTURES/identities-three.reg"
  launch_with checkNoIdentities=0 "Identities/listIdentities=$1" "${@:2}"
}

# Ctrl+Shift+F(INDEX + 1) relaunches Outlook Express under another identity.
relaunch_by_hot_key() {  # relaunch_by_hot_key INDEX [SECONDS]
  press_identity_hot_key "$1"
  wait_until "${2:-20}" "Ctrl+Shift+F$(($1 + 1)) did not relaunch Outlook Express" relaunched
}

case_starts_under_configured_identity() {
  start_as Bob
  started_under Bob "$BOB_GUID"
  expect_eq "show state" 1 "$(msimn_log_value show)"
}

# F2 names the identity already running: the window only comes back. F3 relaunches under Carol,
# shown normally although the first start was hidden, and the new window is followed.
case_hot_key_switches_identity() {
  start_as Bob StartReduced=1
  expect_eq "first start hidden" 0 "$(msimn_log_value show)"
  press_identity_hot_key 1
  wait_until 3 "Ctrl+Shift+F2 did not bring Outlook Express back" \
    window_state_is "visible=1 iconic=0" "${OE[@]}"
  ! msimn_log_has close || fail "Ctrl+Shift+F2 closed Outlook Express"

  relaunch_by_hot_key 2
  msimn_log_has exit || fail "the first stand-in did not end"
  started_under Carol "$CAROL_GUID"
  expect_eq "relaunch shown normally" 1 "$(msimn_log_value show)"
  expect_eq "stand-in starts" 2 "$(msimn_start_count)"
  wait_until 5 "the relaunched window is not shown" window_state_is "visible=1 iconic=0" "${OE[@]}"
  expect_put_away_when_minimised \
    "the relaunched window is not followed: minimised, it stays in view"
  vantrel_running || fail "Vantrel ended"
}

# An Outlook Express slow to close is still there when the relaunch looks for the new window:
# Vantrel must follow the new one, not the one going away.
case_switch_while_the_old_one_closes_slowly() {
  export VANTREL_MSIMN_CLOSE_MS=10000
  start_as Bob
  relaunch_by_hot_key 2
  ! stand_ins_ended 1 || fail "the first stand-in closed within the wait; nothing shown"
  wait_until 15 "the first stand-in did not end" stand_ins_ended 1
  # Longer than the 20 ticks of 0.5 s after which Vantrel follows a vanished window out: only
  # time shows that it follows the new one instead.
  sleep 12
  vantrel_running || fail "Vantrel ended with the old window"
  expect_put_away_when_minimised \
    "the relaunched window is not followed: minimised, it stays in view"
}

case_quit_writes_configured_identity_back() {
  start_as Bob
  relaunch_by_hot_key 2
  started_under Carol "$CAROL_GUID"
  TRAY_MENU_SHOT=tray-menu-identities quit_from_tray_menu
  wait_until 5 "the relaunched stand-in did not end" stand_ins_ended 2
  expect_eq "stand-in closings" 2 "$(msimn_log_count close)"
  registry_names Bob "$BOB_GUID"
}

# Outlook Express closed by the user: Vantrel follows it out some ten seconds later and names
# the configured identity again.
case_gone_for_good_writes_configured_identity_back() {
  start_as Bob
  relaunch_by_hot_key 2
  registry_names Carol "$CAROL_GUID"
  tray_icon_shown || fail "no tray icon while Outlook Express runs"
  drv post "${OE[@]}" "$WM_SYSCOMMAND" "$SC_CLOSE" 0 >/dev/null
  wait_until 5 "the relaunched stand-in did not end" stand_ins_ended 2
  wait_until 3 "the tray icon stayed after Outlook Express went" tray_icon_gone
  sleep 1  # a few ticks of the watcher, which must not end Vantrel yet
  vantrel_running || fail "Vantrel ended as soon as Outlook Express went"
  vantrel_wait_exit 20
  expect_eq "exit status" 0 "$EXIT_STATUS"
  registry_names Bob "$BOB_GUID"
  expect_eq "stand-in starts" 2 "$(msimn_start_count)"
}

# A hot key another program holds gives its identity no shortcut: the key does nothing, the item
# still switches.
case_taken_hot_key_item_still_switches() {
  local held=$E2E_WORK/hotkey-held.out
  drv hotkey "$CTRL_SHIFT" $((VK_F1 + 1)) 60000 >"$held" &  # Ctrl+Shift+F2
  wait_until 5 "the driver could not take Ctrl+Shift+F2" grep -qx registered=1 "$held"
  start_as Alice
  press_identity_hot_key 1
  sleep 2  # time for the key to close Outlook Express, which it must not
  ! msimn_log_has close || fail "Ctrl+Shift+F2 acted although another program holds it"
  tray_menu "$VK_HOME" "$VK_DOWN" "$VK_RETURN"  # Bob
  wait_until 20 "Bob's item did not relaunch Outlook Express" relaunched
  started_under Bob "$BOB_GUID"
}

# Each row: fixture, configured name, then the GUID Outlook Express is to start under. Names
# match exactly, letter case included, and the first identity in registry order wins.
LOOKUPS=(
  "identities-same-name.reg|Sam|{3E4F5061-7283-4A94-B5C6-D7E8F9A0B102}"
  "identities-letter-case.reg|alice|{9F8E7D6C-5B4A-4321-B0C1-D2E3F4A5B602}"
  "identities-letter-case.reg|ALICE|"
  "identities-three.reg|Nobody|"
)

case_start_identity_looked_up_by_exact_name() {
  local row fixture name guid
  for row in "${LOOKUPS[@]}"; do
    IFS='|' read -r fixture name guid <<<"$row"
    e2e_reset
    e2e_regedit "$E2E_FIXTURES/$fixture"
    launch_with checkNoIdentities=0 "Identities/listIdentities=$name"
    started_under "$name" "$guid"
  done
}

# Identities not managed: the values stay as Outlook Express left them, whatever the choice
# option says, at the start and at Quit.
case_unmanaged_identities_left_alone() {
  e2e_regedit "$E2E_FIXTURES/identities-three.reg"
  launch_with checkNoIdentities=1 checkIdentitiesChoice=1 Identities/listIdentities=Bob
  started_under Alice "$ALICE_GUID"
  quit_from_tray_menu
  registry_names Alice "$ALICE_GUID"
}

# A relaunch waits through the new Outlook Express's logon window, however long, and follows the
# window that comes after it.
case_switch_waits_through_logon() {
  e2e_regedit "$E2E_FIXTURES/identities-three.reg"
  e2e_prepare checkNoIdentities=0 Identities/listIdentities=Bob
  VANTREL_MSIMN_LOGON_MS=7000 vantrel_start
  msimn_wait_log window=shown 30
  relaunch_by_hot_key 0 30
  started_under Alice "$ALICE_GUID"
  expect_eq "logon windows" 2 "$(msimn_log_count logon=closed)"
  vantrel_running || fail "Vantrel ended during the relaunch"
  expect_put_away_when_minimised "the relaunched window is not followed"
}

# Another start identity chosen in the configuration opened from the tray is the one Quit
# writes; the running Outlook Express is left as it is.
case_identity_chosen_from_tray_configuration() {
  start_as Bob
  config_from_tray_menu
  drv tab "${MAIN[@]}" 100 2 >/dev/null || fail "no Identities tab"
  local listed
  listed=$(drv items "${MAIN[@]}" 116)
  expect_eq "identities offered" $'index=0 selected=0 checked=0 text=Alice
index=1 selected=1 checked=0 text=Bob
index=2 selected=0 checked=0 text=Carol' "$listed"
  drv select "${MAIN[@]}" 116 2 >/dev/null || fail "could not select Carol"
  drv press "${MAIN[@]}" "$IDOK" >/dev/null
  wait_until 5 "the configuration window stayed" window_state_is "visible=0" "${MAIN[@]}"
  expect_setting Identities listIdentities Carol
  expect_eq "stand-in starts" 1 "$(msimn_start_count)"
  registry_names Bob "$BOB_GUID"
  quit_from_tray_menu
  registry_names Carol "$CAROL_GUID"
}

control_line() {  # control_line ID: the driver's line for the control ID of the main window
  drv controls "${MAIN[@]}" | grep "^id=$1 "
}

identity_list_enabled() { [[ "$(control_line 116)" == *" enabled=1 "* ]]; }

# Managing identities needs one chosen: OK explains, brings the Identities tab forward and
# keeps the window; with one chosen it goes through.
case_ok_needs_an_identity() {
  e2e_regedit "$E2E_FIXTURES/identities-three.reg"
  e2e_write_settings
  config_window /config
  expect_contains "list while identities are not managed" "enabled=0" "$(control_line 116)"
  expect_contains "choice while identities are not managed" "enabled=0" "$(control_line 117)"
  drv click "${MAIN[@]}" 115 >/dev/null  # "Ne pas gérer l'identité de démarrage" off
  wait_until 3 "the identity list stayed disabled" identity_list_enabled
  expect_contains "choice once identities are managed" "enabled=1" "$(control_line 117)"

  drv press "${MAIN[@]}" "$IDOK" >/dev/null
  expect_box "Vous devez sélectionner une identité ou choisir de ne pas les gérer" none 5
  drv press "${BOX[@]}" "$IDOK" >/dev/null
  drv gone "${BOX[@]}" --timeout 5000 >/dev/null || fail "the message stayed"
  expect_eq "Identities tab in front" 2 \
    "$(drv items "${MAIN[@]}" 100 | sed -n 's/^index=\([0-9]*\) selected=1 .*/\1/p')"
  vantrel_running || fail "Vantrel ended after the refusal"
  window_state_is "visible=1" "${MAIN[@]}" || fail "the configuration window went"

  drv select "${MAIN[@]}" 116 1 >/dev/null || fail "could not select Bob"
  drv press "${MAIN[@]}" "$IDOK" >/dev/null
  vantrel_wait_exit 20
  expect_eq "exit status after OK" 0 "$EXIT_STATUS"
  expect_setting Identities listIdentities Bob
  expect_setting Identities checkNoIdentities 0
}

# With the choice left to Outlook Express nobody is named, and a start meant to be hidden is
# minimised instead so that its logon window can be seen.
case_choice_left_to_outlook_express() {
  start_as Bob checkIdentitiesChoice=1 StartReduced=1 ReduceInTray=1
  started_under "" "$NULL_GUID"
  expect_eq "show state" 6 "$(msimn_log_value show)"
}

suite_identities() {
  e2e_begin_vantrel_suite identities || return 1
  e2e_cases starts_under_configured_identity hot_key_switches_identity \
    quit_writes_configured_identity_back gone_for_good_writes_configured_identity_back \
    start_identity_looked_up_by_exact_name unmanaged_identities_left_alone \
    switch_waits_through_logon identity_chosen_from_tray_configuration \
    taken_hot_key_item_still_switches choice_left_to_outlook_express ok_needs_an_identity \
    switch_while_the_old_one_closes_slowly
  e2e_end_suite
}

[[ "${BASH_SOURCE[0]}" != "$0" ]] || e2e_run_suites suite_identities
