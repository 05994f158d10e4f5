#!/usr/bin/env bash
# The tray as a user meets it: Outlook Express (the stand-in) put away when minimised and brought
# back by a click on the icon or by starting Vantrel again, the configuration window relabelled
# when another language is chosen, the external programs started along with Outlook Express,
# and the tray menu.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

NOTEPAD=(--class Notepad)

# Vantrel launched with SETTINGs; the stand-in's window is shown and the watcher on.
launch_and_wait() {  # launch_and_wait SETTING...
  launch_with "$@"
  wait_until 5 "Outlook Express not shown" window_state_is "visible=1 iconic=0" "${OE[@]}"
}

notepad_shown() { [[ -n "$(drv list "${NOTEPAD[@]}")" ]]; }

# Outlook Express minimised goes into the tray, and a click on the icon brings it back in the
# state ZOOMED (0 or 1) that the settings ask for.
minimise_then_click() {  # minimise_then_click ZOOMED
  expect_put_away_when_minimised "minimised Outlook Express still in view"
  tray_icon_shown || fail "Outlook Express hidden without a tray icon"
  tray_click
  wait_until 3 "a tray click did not bring Outlook Express back (zoomed=$1)" \
    window_state_is "visible=1 iconic=0 zoomed=$1 foreground=1" "${OE[@]}"
}

case_minimise_hides_and_click_restores() {
  launch_and_wait
  minimise_then_click 0
  # Nothing hides a window the user restored: only time shows that no tick of the watcher (every
  # 0.5 s) does.
  sleep 1.5
  window_state_is "visible=1 iconic=0" "${OE[@]}" || fail "Outlook Express put away again"
  vantrel_running || fail "Vantrel ended"
}

case_click_restores_maximised() {
  launch_and_wait RestoreMaximized=1
  minimise_then_click 1
}

# Without the tray option a click minimises the shown window, and the next one restores it.
case_click_toggles_without_tray_option() {
  launch_and_wait ReduceInTray=0
  tray_click
  wait_until 3 "a click did not minimise Outlook Express" \
    window_state_is "visible=1 iconic=1" "${OE[@]}"
  sleep 1  # a few ticks of the watcher, which must leave the minimised window where it is
  window_state_is "visible=1 iconic=1" "${OE[@]}" || fail "a minimised window left the task bar"
  tray_click
  wait_until 3 "the second click did not restore Outlook Express" \
    window_state_is "visible=1 iconic=0 foreground=1" "${OE[@]}"
}

# With the double-click setting a single click does nothing and a double-click toggles; without
# it the system's click, double-click, click of a double-click toggles three times.
case_double_click() {
  launch_and_wait RestoreDblClk=1
  tray_click
  sleep 1.5  # time for a single click to act, which it must not
  window_state_is "visible=1 iconic=0" "${OE[@]}" || fail "a single click acted with RestoreDblClk"
  tray_click "$WM_LBUTTONDBLCLK"
  wait_until 3 "a double-click did not put Outlook Express away" \
    window_state_is "visible=0" "${OE[@]}"
  tray_click "$WM_LBUTTONDBLCLK"
  wait_until 3 "a double-click did not bring Outlook Express back" \
    window_state_is "visible=1 iconic=0 foreground=1" "${OE[@]}"

  wine_stop_and_forget
  launch_and_wait RestoreDblClk=0
  local message
  for message in "$WM_LBUTTONUP" "$WM_LBUTTONDBLCLK" "$WM_LBUTTONUP"; do tray_click "$message"; done
  wait_until 3 "click, double-click, click did not put Outlook Express away" \
    window_state_is "visible=0" "${OE[@]}"
}

# Starting Vantrel again clicks the icon of the running copy.
case_second_copy_toggles() {
  launch_and_wait
  local first=$VANTREL_PID copy state
  for copy in "second visible=0" "third visible=1 iconic=0 foreground=1"; do
    read -r copy state <<<"$copy"
    vantrel_start
    vantrel_wait_exit 20
    expect_eq "$copy copy's exit status" 255 "$EXIT_STATUS"
    wait_until 3 "the $copy copy did not toggle Outlook Express" window_state_is "$state" "${OE[@]}"
  done
  vantrel_running "$first" || fail "the first copy ended"
  expect_eq "main windows" 1 "$(drv_value count state "${MAIN[@]}")"
  expect_eq "stand-in starts" 1 "$(msimn_start_count)"
}

# --- languages ---------------------------------------------------------------------------------

# A value of the shipped language file as the profile functions read it: trimmed, one pair of
# enclosing double quotes removed.
lang_value() {  # lang_value SECTION KEY
  iconv -f CP1252 -t UTF-8 "$E2E_ROOT/resources/lang.ini" | tr -d '\r' | awk -v s="[$1]" -v k="$2" '
    /^\[/ { inside = ($0 == s); next }
    inside && index($0, "=") {
      key = substr($0, 1, index($0, "=") - 1); gsub(/^[ \t]+|[ \t]+$/, "", key)
      if (key != k) next
      v = substr($0, index($0, "=") + 1); gsub(/^[ \t]+|[ \t]+$/, "", v)
      if (v ~ /^".*"$/) v = substr(v, 2, length(v) - 2)
      print v; exit
    }'
}

# The built-in French caption of each language key checked on the window; "Démarrer réduit"
# stands for two controls, which both take the key's text.
FRENCH_CAPTIONS=(
  "boxLaunchMode=Mode de démarrage"
  "boxBehavior=Comportement"
  "boxLang=Langue"
  "radioModeMail=Ouvrir en mode courrier"
  "radioModeNews=Ouvrir en mode forums de discussions"
  "checkNotifyReduce=Réduire dans la zone de notification"
  "checkStartReduced=Démarrer réduit"
  "checkCloseConfirm=Confirmation à la fermeture"
  "checkRestoreMaximized=Maximiser à la restauration"
  "checkRestoreDblClk=Restaurer sur le double-click au lieu du simple"
  "boxExternalProgs=Programmes externes"
  "boxExternalProgsOptions=Options des programmes externes"
  "bttnExternalProgsAdd=Ajouter"
  "bttnExternalProgsDel=Supprimer"
  "bttnExternalProgsModify=Modifier"
  "radioExternalProgsStartNormal=Démarrer normalement"
  "boxIdentities=Identité à utiliser au démarrage"
  "checkNoIdentities=Ne pas gérer l'identité de démarrage"
  "checkIdentitiesChoice=Laisser le choix au démarrage"
  "boxMail=Comptes courrier"
  "checkNoMail=Ne pas gérer la verification de courrier"
  "checkVerifyAllId=Vérifier toutes les identités"
  "checkMailWindow=Afficher une fenêtre de notification"
  "checkMailPreview=Afficher l'expéditeur et l'objet des messages"
  "lblMailWindowTime=Pendant x secondes (0=infini) :"
  "checkMailSound=Jouer le son par défaut"
  "lblMailTime=Relever le courrier toutes les x minutes :"
  "bttnWWW=Site Internet"
  "bttnMailList=Liste de diffusion"
  "bttnUpdt=Mise à jour"
)

# Texts of the window's language-bound parts, one per line: tabs, columns, then the controls.
language_texts() {
  drv items "${MAIN[@]}" 100 | sed -n 's/^index=[0-9]* selected=[01] text=/tab:/p'
  drv columns "${MAIN[@]}" 109 | sed -n 's/^index=[0-9]* width=[0-9]* text=/progs column:/p'
  drv columns "${MAIN[@]}" 121 | sed -n 's/^index=[0-9]* width=[0-9]* text=/accounts column:/p'
  drv controls "${MAIN[@]}" | sed -n 's/^id=\([0-9]*\) class=\([^ ]*\) .* text=/\1 \2:/p'
}

tabs_relabelled() { [[ "$(drv items "${MAIN[@]}" 100)" != *Programmes* ]]; }

case_english_relabels_at_once() {
  e2e_write_settings
  config_window /config
  local before after
  before=$(language_texts)
  expect_contains "French tabs" $'tab:Démarrage et Comportement\ntab:Programmes\ntab:Identités\ntab:Email\ntab:A propos' "$before"
  drv combo "${MAIN[@]}" 108 English >/dev/null || fail "no English entry in the language list"
  wait_until 5 "the tabs kept their French captions" tabs_relabelled
  after=$(language_texts)
  e2e_screenshot english-configuration >/dev/null || true
  expect_eq "language-bound parts" "$(wc -l <<<"$before")" "$(wc -l <<<"$after")"

  local expected="" key
  for key in tab:tabLaunch tab:tabProgs tab:tabIdentities tab:tabMail tab:tabAbout \
    "progs column:listExternalProgsHeaderName" "progs column:listExternalProgsHeaderProg" \
    "accounts column:listAccountsHeaderAccount" "accounts column:listAccountsHeaderServer"; do
    expected+="${key%%:*}:$(lang_value en "${key#*:}")"$'\n'
  done
  expect_eq "tabs and column headers" "${expected%$'\n'}" "$(head -n 9 <<<"$after")"

  # Control by control, in the same order: each French caption became its English text.
  local -a old new
  mapfile -t old <<<"$before"
  mapfile -t new <<<"$after"
  local i entry french english seen="" label
  for ((i = 9; i < ${#old[@]}; i++)); do
    label=${old[i]%%:*}
    expect_eq "control kind at line $i" "$label" "${new[i]%%:*}"
    for entry in "${FRENCH_CAPTIONS[@]}"; do
      french=${entry#*=}
      [[ "${old[i]#*:}" == "$french" ]] || continue
      key=${entry%%=*}
      english=$(lang_value en "$key")
      [[ -n "$english" ]] || fail "lang.ini [en] lacks $key"
      expect_eq "$label ($key)" "$english" "${new[i]#*:}"
      seen+=" $key"
    done
  done
  for entry in "${FRENCH_CAPTIONS[@]}"; do
    [[ "$seen " == *" ${entry%%=*} "* ]] || fail "no control captioned [${entry#*=}] in French"
  done
  expect_contains "description" "$(lang_value en lblDescription)" "$after"
  # Nothing of the French set is left anywhere on the window.
  for entry in "${FRENCH_CAPTIONS[@]}" "tab=Démarrage et Comportement" "tab=Identités" \
    "tab=A propos" "col=Nom" "col=Programme" "col=Compte" "col=Serveur"; do
    french=${entry#*=}
    ! cut -d: -f2- <<<"$after" | grep -qxF -- "$french" || fail "[$french] is still shown"
  done
  vantrel_running || fail "Vantrel ended"
}

# The stored language at start-up, looked up exactly but selected in the list whatever its
# letter case; a name the language file does not offer, or none, gives the built-in French
# texts rather than blank windows. Each row: stored name, third tab, entry selected in the list.
STORED_LANGUAGES=(
  "English|$(lang_value en tabIdentities)|English"
  "Deutsch|$(lang_value de tabIdentities)|Deutsch"
  "deutsch|Identités|Deutsch"
  "Klingon|Identités|"
  "|Identités|"
)

case_stored_language_at_start() {
  local row lang tab entry
  for row in "${STORED_LANGUAGES[@]}"; do
    IFS='|' read -r lang tab entry <<<"$row"
    wine_stop
    e2e_write_settings "Lang=$lang"
    config_window /config
    expect_eq "third tab with Lang=[$lang]" "index=2 selected=0 text=$tab" \
      "$(drv items "${MAIN[@]}" 100 | sed -n 3p)"
    local controls
    controls=$(drv controls "${MAIN[@]}")
    expect_contains "OK button with Lang=[$lang]" "id=1 class=Button visible=1 enabled=1 checked=- text=OK" \
      "$controls"
    expect_eq "language list with Lang=[$lang]" "$entry" \
      "$(sed -n 's/^id=108 class=ComboBox .* text=//p' <<<"$controls")"
  done
}

# --- external programs -------------------------------------------------------------------------

HELPER_DIR_WIN='C:\Program Files\Helper Tools'
SPARE_DIR_WIN='C:\Tools'

# Copies of the stand-in log how they were started, to the same log as the stand-in.
copy_stand_in() {  # copy_stand_in 'C:\DIR\NAME.exe'...
  local path
  for path in "$@"; do
    mkdir -p "$(dirname "$(e2e_c_path "$path")")"
    cp "$MSIMN_EXE" "$(e2e_c_path "$path")"
  done
}

# The copy of the stand-in at PATH logged that it was started by PATH alone, in show state SHOW.
expect_copy_started() {  # expect_copy_started PATH SHOW
  local log cmdline
  log=$(msimn_log)
  cmdline=$(grep -F "${1##*\\}" <<<"$log" | sed -n 's/^cmdline=//p')
  [[ "$cmdline" == "\"$1\""* && "${cmdline#"\"$1\""}" =~ ^\ *$ ]] ||
    fail "${1##*\\}'s command line: [$cmdline]"
  expect_eq "${1##*\\}'s show state" "$2" "$(grep -A1 -F "${1##*\\}" <<<"$log" | sed -n 's/^show=//p')"
}

case_external_programs_start_with_window() {
  copy_stand_in "$HELPER_DIR_WIN\\helper.exe" "$SPARE_DIR_WIN\\spare.exe"
  e2e_prepare \
    'Progs/Notes=C:\windows\notepad.exe' Progs/Notes_active=1 Progs/Notes_startReduced=1 \
    "Progs/Helper=$HELPER_DIR_WIN\\helper.exe" Progs/Helper_active=1 Progs/Helper_startReduced=0 \
    "Progs/Spare=$SPARE_DIR_WIN\\spare.exe" Progs/Spare_active=0 Progs/Spare_startReduced=0
  # The stand-in takes its time before its window appears: the programs wait for the window.
  VANTREL_MSIMN_DELAY_MS=3000 vantrel_start
  msimn_wait_log show=1 20
  wait_until 20 "no Notepad window" notepad_shown
  msimn_log_has window=shown || fail "a program was started before Outlook Express's window"
  wait_until 5 "Notepad not minimised" window_state_is "iconic=1" "${NOTEPAD[@]}"

  wait_until 10 "the helper did not start" msimn_started_at_least 2
  sleep 1.5  # a few more ticks of the watcher, which must start nothing twice
  expect_eq "programs of the stand-in started" 2 "$(msimn_start_count)"
  expect_copy_started "$HELPER_DIR_WIN\\helper.exe" 1
  ! grep -qF spare.exe "$MSIMN_LOG" || fail "the inactive program was started"
  expect_eq "Notepad windows" 1 "$(drv list "${NOTEPAD[@]}" | wc -l)"
  vantrel_running || fail "Vantrel ended"
}

# A program that cannot be started explains why in a plain box, which holds up the next one
# until it is answered; later ticks start nothing twice.
case_failing_program_holds_up_the_next() {
  launch_and_wait \
    'Progs/Absent=C:\Nowhere\absent.exe' Progs/Absent_active=1 Progs/Absent_startReduced=1 \
    'Progs/Notes=C:\windows\notepad.exe' Progs/Notes_active=1 Progs/Notes_startReduced=0
  drv wait "${BOX[@]}" --visible --timeout 5000 >/dev/null || fail "no message for the missing program"
  local said
  said=$(drv text "${BOX[@]}")
  [[ "$said" == *text=?* ]] || fail "the message has no text: $said"
  expect_contains "a plain message" "icon=none" "$said"
  sleep 1.5  # ticks of the watcher while the box is open, which must start nothing
  expect_eq "messages while the first is open" 1 "$(drv list "${BOX[@]}" | wc -l)"
  [[ -z "$(drv list "${NOTEPAD[@]}")" ]] || fail "Notes started while the message was open"
  drv press "${BOX[@]}" "$IDOK" >/dev/null
  wait_until 10 "Notes did not start after the message" notepad_shown
  wait_until 5 "Notes not shown normally" window_state_is "visible=1 iconic=0" "${NOTEPAD[@]}"
  sleep 1.5  # later ticks of the watcher, which must not try the missing program again
  [[ -z "$(drv list "${BOX[@]}")" ]] || fail "the missing program was tried again"
  expect_eq "Notepad windows" 1 "$(drv list "${NOTEPAD[@]}" | wc -l)"
}

# Names that the settings file cannot hold as they are (a "=", a leading ";" or "[", blanks at
# the ends) are added through the file dialog; after OK and a new start each program is still
# listed once, with its path, under a name the file can hold.
programs_listed() { (($(drv items "${MAIN[@]}" 109 | wc -l) == $1)); }

# Adds programs on the Programs tab of the configuration window through the file dialog.
add_programs() {  # add_programs 'C:\DIR\NAME.exe'...
  drv tab "${MAIN[@]}" 100 1 >/dev/null || fail "no Programs tab"
  local path
  for path in "$@"; do
    drv click "${MAIN[@]}" 110 >/dev/null
    drv opendlg "${BOX[@]}" --timeout 10000 "$path" >/dev/null || fail "could not choose [$path]"
    drv gone "${BOX[@]}" --timeout 5000 >/dev/null ||
      fail "a dialog stayed after choosing [$path]: $(drv text "${BOX[@]}")"
  done
}

case_awkward_program_names_survive() {
  local files=('a=b.exe' '[x].exe' ';semi.exe' ' lead.exe' 'trail .exe' 'plain.exe') f
  copy_stand_in "${files[@]/#/$SPARE_DIR_WIN\\}"
  e2e_write_settings
  config_window /config
  add_programs "${files[@]/#/$SPARE_DIR_WIN\\}"
  wait_until 5 "not every program was added" programs_listed "${#files[@]}"
  drv press "${MAIN[@]}" "$IDOK" >/dev/null
  vantrel_wait_exit 20

  config_window /config
  local listed name
  listed=$(drv items "${MAIN[@]}" 109)
  expect_eq "programs after a new start" "${#files[@]}" "$(wc -l <<<"$listed")"
  for f in "${files[@]}"; do
    name=$(grep -F "$(printf '\t%s' "$SPARE_DIR_WIN\\$f")" <<<"$listed" | sed 's/^.* text=//; s/\t.*//')
    [[ -n "$name" ]] || fail "[$f] lost: $(tr '\n' '|' <<<"$listed")"
    [[ "$name" != *=* && "$name" != \;* && "$name" != \[* && "$name" != [[:blank:]]* &&
      "$name" != *[[:blank:]] ]] || fail "[$f] listed under [$name]"
  done
}

# --- the tray menu ------------------------------------------------------------------------------

# Programs not started with Outlook Express are offered in the menu and start with their own
# show state.
case_tray_menu_starts_programs() {
  copy_stand_in "$SPARE_DIR_WIN\\spare.exe"
  launch_and_wait \
    'Progs/Notes=C:\windows\notepad.exe' Progs/Notes_active=0 Progs/Notes_startReduced=1 \
    "Progs/Spare=$SPARE_DIR_WIN\\spare.exe" Progs/Spare_active=0 Progs/Spare_startReduced=0
  sleep 1.5  # a few ticks of the watcher, which must not start the inactive programs
  [[ -z "$(drv list "${NOTEPAD[@]}")" ]] || fail "an inactive program started with Outlook Express"
  expect_eq "stand-in starts" 1 "$(msimn_start_count)"

  # No identities: Programs is the first item; its submenu lists Notes, then Spare.
  tray_menu "$VK_HOME" "$VK_RIGHT" "$VK_END" "$VK_RETURN"
  wait_until 10 "Spare did not start from the menu" msimn_started_at_least 2
  expect_copy_started "$SPARE_DIR_WIN\\spare.exe" 1

  tray_menu "$VK_HOME" "$VK_RIGHT" "$VK_RETURN"
  wait_until 10 "Notes did not start from the menu" notepad_shown
  wait_until 5 "Notes not minimised" window_state_is "iconic=1" "${NOTEPAD[@]}"
  vantrel_running || fail "Vantrel ended"
}

# A program added in the configuration opened from the tray is offered by the menu once OK is
# pressed, and is not started on its own in this run.
case_program_added_from_tray_configuration() {
  copy_stand_in "$SPARE_DIR_WIN\\spare.exe" "$SPARE_DIR_WIN\\zfirst.exe"
  # A program listed from the start: its start shows that this run's automatic start is over.
  launch_and_wait "Progs/zfirst=$SPARE_DIR_WIN\\zfirst.exe" Progs/zfirst_active=1 \
    Progs/zfirst_startReduced=1
  wait_until 10 "the listed program did not start" msimn_started_at_least 2
  config_from_tray_menu
  add_programs "$SPARE_DIR_WIN\\spare.exe"
  wait_until 5 "the program was not added" programs_listed 2
  drv press "${MAIN[@]}" "$IDOK" >/dev/null
  wait_until 5 "the configuration window stayed" window_state_is "visible=0" "${MAIN[@]}"
  sleep 1.5  # ticks of the watcher after OK, which must not start the added program
  expect_eq "stand-in starts after OK" 2 "$(msimn_start_count)"
  tray_menu "$VK_HOME" "$VK_RIGHT" "$VK_RETURN"  # spare, first of the programs
  wait_until 10 "the added program did not start from the menu" msimn_started_at_least 3
  msimn_log_has "cmdline=\"$SPARE_DIR_WIN\\spare.exe\" " || fail "another program started from the menu"
}

# Quit asks first with ConfirmClose: No leaves everything running, Yes closes and ends.
case_tray_menu_quit_confirmed() {
  launch_and_wait ConfirmClose=1
  tray_menu "$VK_END" "$VK_RETURN"
  expect_box "Etes vous sûr de vouloir fermer Outlook Express ?" blue 5
  drv press "${BOX[@]}" "$IDNO" >/dev/null
  drv gone "${BOX[@]}" --timeout 5000 >/dev/null || fail "the question stayed after No"
  sleep 1.5  # time for a close to reach Outlook Express, which it must not
  ! msimn_log_has close || fail "Outlook Express was closed after No"
  vantrel_running || fail "Vantrel ended after No"
  window_state_is "visible=1" "${OE[@]}" || fail "Outlook Express left the screen after No"

  tray_menu "$VK_END" "$VK_RETURN"
  drv wait "${BOX[@]}" --timeout 5000 >/dev/null || fail "no question the second time"
  drv press "${BOX[@]}" "$IDYES" >/dev/null
  vantrel_wait_exit 10
  expect_eq "exit status after Yes" 0 "$EXIT_STATUS"
  msimn_wait_log exit 5
}

# While the configuration window is open the watcher rests and the tray offers no menu; OK
# takes up the watch again.
case_tray_menu_configuration() {
  launch_and_wait
  config_from_tray_menu
  tray_click "$WM_RBUTTONUP"
  ! drv wait "${TRAY_MENU[@]}" --timeout 1500 >/dev/null || fail "a menu opened over the configuration"
  drv show "${OE[@]}" "$SW_MINIMIZE" >/dev/null
  sleep 1.5  # ticks of the resting watcher, which must not put the window away
  window_state_is "visible=1 iconic=1" "${OE[@]}" ||
    fail "Outlook Express was put away while the configuration was open"
  drv press "${MAIN[@]}" "$IDOK" >/dev/null
  wait_until 5 "the configuration window stayed" window_state_is "visible=0" "${MAIN[@]}"
  wait_until 3 "after OK a minimised Outlook Express stays in view" \
    window_state_is "visible=0" "${OE[@]}"
  vantrel_running || fail "Vantrel ended after OK"
}

suite_tray() {
  e2e_begin_vantrel_suite tray || return 1
  e2e_cases minimise_hides_and_click_restores click_restores_maximised \
    click_toggles_without_tray_option double_click second_copy_toggles english_relabels_at_once \
    stored_language_at_start external_programs_start_with_window failing_program_holds_up_the_next \
    awkward_program_names_survive tray_menu_starts_programs tray_menu_configuration \
    tray_menu_quit_confirmed program_added_from_tray_configuration
  e2e_end_suite
}

[[ "${BASH_SOURCE[0]}" != "$0" ]] || e2e_run_suites suite_tray
