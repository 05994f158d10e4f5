#!/usr/bin/env bash
# The mail watch as a user meets it: accounts of two identities (own and shared area) checked on
# a local POP3 and IMAP server, announced by the tray tip and the notification window; the window's
# countdown and its double-click switch; a refused password asked again; servers that cannot be
# reached; IMAP push; the machine without a network. The driver fires the mail timer at once
# instead of waiting minutes.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/mail_server.sh"
source "$(dirname "${BASH_SOURCE[0]}")/networks.sh"

NOTIFY=(--class TNotifyWindowForm)
TREE_NOTIFY=100
CHECK_NO_MAIL=118
COMBO_IDENTITIES=120
LIST_ACCOUNTS=121
LBL_ACCOUNT_RESULT=132
ALICE_ACCOUNTS='HKEY_CURRENT_USER\Identities\{7C3E9B42-1D2F-4A6B-8E5C-3F4A5B6C7D02}\Software\Microsoft\Internet Account Manager\Accounts'
BOB_ACCOUNTS='HKEY_CURRENT_USER\Identities\{C5A8F0E3-6B7D-4C9E-A1F2-4D5E6F708A03}\Software\Microsoft\Internet Account Manager\Accounts'
SLOW_IDENTITY_GUID='{E1D2C3B4-A5F6-4789-9ABC-DEF012345604}'
SLOW_ACCOUNT="HKEY_CURRENT_USER\\Identities\\$SLOW_IDENTITY_GUID\\Software\\Microsoft\\Internet Account Manager\\Accounts\\00000001"
LBL_NOTIFY_CPT=102
INPUT_ANSWER=101
MAIL_MINUTES=7  # a timer interval no other timer of Vantrel has
MAIL_TIMER_MS=$((MAIL_MINUTES * 60000))
LONG_HOST=$(printf 'x%.0s' $(seq 64)).invalid  # refused by the resolver, no query is sent

# The settings as e2e_write_settings takes them, but IDENTITY_ACCOUNT_pass=PASSWORD stored
# scrambled in [Email].
mail_settings() {  # mail_settings SETTING...
  local setting settings=()
  for setting in "$@"; do
    [[ "$setting" != *_pass=* ]] || setting="Email/${setting%%=*}=$(scrambled_password "${setting#*=}")"
    settings+=("$setting")
  done
  e2e_write_settings "${settings[@]}"
}

# The POP3 account at KEY: NAME on SERVER for USER, then any further VALUE lines.
pop3_account() {  # pop3_account KEY NAME SERVER USER [VALUE...]
  printf '%s\n' "[$1]" "\"Account Name\"=\"$2\"" "\"POP3 Server\"=\"$3\"" "\"POP3 User Name\"=\"$4\"" \
    "${@:5}"
}

# Accounts of mail-e2e.reg with their passwords stored; Alice's own may be overridden. The
# window lists accounts without their messages' lines, and only the periodic check reads IMAP
# accounts, unless a case asks otherwise (Email/checkMailPreview=1, Email/checkMailPush=1: a new
# file has no such keys). The server offers STLS with the test root's certificate, which Windows
# trusts here.
start_mail() {  # start_mail [ALICE_PASSWORD] [SETTING...]
  local alice=${1:-secret} preview=Email/checkMailPreview=0 push=Email/checkMailPush=0
  shift || true
  mail_server_trust_root
  [[ " $* " != *" Email/checkMailPreview="* ]] || preview=
  [[ " $* " != *" Email/checkMailPush="* ]] || push=
  e2e_regedit "$E2E_FIXTURES/oe-installroot.reg" "$E2E_FIXTURES/mail-e2e.reg"
  mail_settings checkNoMail=0 checkVerifyAllId=1 editMailTime=$MAIL_MINUTES Alice_Maison_pass="$alice" \
    Bob_Perso_pass=opensesame Bob_Bureau_pass=hunter2 Bob_Ancien_pass=wrong ${preview:+"$preview"} \
    ${push:+"$push"} "$@"
  start_watching
}

# Vantrel started on the settings written, Outlook Express put away as a user waiting for mail
# does: in front, it clears the signs of new mail at every watcher tick.
start_watching() {
  vantrel_start
  msimn_wait_log window=shown 20
  vantrel_answers
  expect_put_away_when_minimised "Outlook Express was not put away" 5
}

fire_mail_timer() {
  drv timer "$MAIL_TIMER_MS" --timeout 10000 >/dev/null || fail "the mail timer is not running"
}

tip_shown() { drv tooltips | grep -qxF "text=$1"; }

notify_shown() { window_state_is "visible=1" "${NOTIFY[@]}" --timeout 0; }
notify_hidden() { window_state_is "visible=0" "${NOTIFY[@]}" --timeout 0; }

# The tree as "level image expanded text" lines.
notify_tree() {
  drv tree "$TREE_NOTIFY" "${NOTIFY[@]}" |
    sed -n 's/^index=[0-9]* level=\([0-9]*\) image=\([0-9-]*\) expanded=\([01]\) selected=[01] text=/\1 \2 \3 /p'
}

EXPECTED_TREE=$'0 0 1 Alice\n1 1 0 Maison : 3\n0 0 1 Bob\n1 1 0 Bureau : 2'

box_open() { drv state "${BOX[@]}" --timeout 0 | grep -qx "visible=1"; }
box_has_text() { drv text "${BOX[@]}" --timeout 0 | grep -qF -- "text=$1"; }
box_lacks_text() { ! box_has_text "$1"; }
input_query_open() { drv controls "${BOX[@]}" --timeout 0 | grep -q "^id=$INPUT_ANSWER class=Edit "; }

# Answers the box that shows TEXT with button ID.
answer_box() {  # answer_box TEXT ID
  wait_until 15 "no box with [$1]" box_has_text "$1"
  drv press "$2" "${BOX[@]}" >/dev/null
  wait_until 5 "the box [$1] stayed" box_lacks_text "$1"
}

# The configuration window's e-mail tab: "Ne pas gérer" unticked enables the identity choice,
# and choosing IDENTITY lists its accounts as the driver's items show them, the first one
# selected, without asking a password (all are stored).
show_accounts_of() {  # show_accounts_of IDENTITY EXPECTED_ITEMS
  local identity=$1 expected=$2
  config_window /config
  drv tab 100 3 "${MAIN[@]}" >/dev/null || fail "no e-mail tab"
  drv controls "${MAIN[@]}" | grep -q "^id=$COMBO_IDENTITIES class=ComboBox visible=1 enabled=0 " ||
    fail "the identity choice is enabled while mail is not managed"
  drv click "$CHECK_NO_MAIL" "${MAIN[@]}" >/dev/null
  wait_until 5 "the identity choice stayed disabled" eval \
    'drv controls "${MAIN[@]}" | grep -q "^id=$COMBO_IDENTITIES class=ComboBox visible=1 enabled=1 "'
  drv combo "$COMBO_IDENTITIES" "$identity" "${MAIN[@]}" >/dev/null || fail "$identity is not offered"
  wait_until 5 "$identity's accounts are not listed" eval \
    '[[ "$(drv items "$LIST_ACCOUNTS" "${MAIN[@]}")" == "$expected" ]]'
  ! box_open || fail "a password was asked although all are stored"
}

tick_account() { drv listclick "$LIST_ACCOUNTS" "$1" --checkbox "${MAIN[@]}" >/dev/null; }  # INDEX

# The line under the accounts about the selected one, its time of day as HH:MM.
account_result() {
  drv controls "${MAIN[@]}" | sed -n "s/^id=$LBL_ACCOUNT_RESULT class=Static .* text=//p" |
    sed -E 's/(^| )[0-2][0-9]:[0-5][0-9]( |$)/\1HH:MM\2/'
}
account_result_is() { [[ "$(account_result)" == "$1" ]]; }

# The running Vantrel's configuration window, opened from the tray on the e-mail tab with
# IDENTITY's accounts listed.
email_tab_of() {  # email_tab_of IDENTITY
  config_from_tray_menu
  drv tab 100 3 "${MAIN[@]}" >/dev/null || fail "no e-mail tab"
  drv combo "$COMBO_IDENTITIES" "$1" "${MAIN[@]}" >/dev/null || fail "$1 is not offered"
}

# One check finds 3 messages for Alice and 2 in the shared area owned by Bob; Bob's own empty
# account and the skipped one add nothing (the skipped one would be refused). The window comes
# bottom right without the focus and hides after its 5 s; a second check with the same total
# leaves everything as it is; Outlook Express brought to the front restores the usual tip.
case_check_announces_new_mail() {
  start_mail secret editMailWindowTime=5
  notify_hidden || fail "the notification window is shown before any check"
  fire_mail_timer
  wait_until 15 "the notification window did not come" notify_shown
  local shown_at=$SECONDS count
  count=$(drv controls "${NOTIFY[@]}" | sed -n "s/^id=$LBL_NOTIFY_CPT .* text=//p")
  [[ "$count" =~ ^[1-5]$ ]] || fail "countdown label shows [$count]"
  expect_eq "caption" "Vous avez 5 message(s)" "$(drv_value title state "${NOTIFY[@]}")"
  expect_eq "tree" "$EXPECTED_TREE" "$(notify_tree)"
  expect_eq "foreground" 0 "$(drv_value foreground state "${NOTIFY[@]}")"
  local rect area
  rect=$(drv_value rect state "${NOTIFY[@]}")
  area=$(drv_value workarea state "${NOTIFY[@]}")
  expect_eq "bottom-right corner" "${area#*,*,}" "${rect#*,*,}"
  expect_eq "client size" 282x131 "$(drv_value client state "${NOTIFY[@]}")"
  wait_until 10 "the tip does not count the messages" tip_shown "5 message(s) non-lu(s) (Alice, Bob)"
  ! box_open || fail "a box came: $(drv text "${BOX[@]}" --timeout 0 | tr '\n' ' ')"

  wait_until 12 "the window did not hide after its countdown" notify_hidden
  ((SECONDS - shown_at >= 3)) || fail "the window hid after $((SECONDS - shown_at)) s"

  fire_mail_timer
  # Time for the second check to end and show the window, which it must not. The server sees the
  # check end before Vantrel has weighed its outcome, so its log is no sign to wait for.
  sleep 3
  notify_hidden || fail "a second check with the same total showed the window again"
  tip_shown "5 message(s) non-lu(s) (Alice, Bob)" || fail "the tip changed"

  # A click on the tray icon brings it to the front.
  tray_click
  wait_until 5 "Outlook Express did not come back" window_state_is "visible=1" "${OE[@]}"
  wait_until 5 "Outlook Express in front did not restore the tip" tip_shown "Outlook Express"
}

# "Relever le courrier", the item above Configuration in the tray menu, checks at once as the
# timer would: the notification window comes and the tip counts the messages, the timer unfired.
case_tray_menu_checks_mail() {
  start_mail secret editMailWindowTime=0
  notify_hidden || fail "the notification window is shown before any check"
  TRAY_MENU_SHOT=tray-menu-check-mail tray_menu "$VK_END" "$VK_UP" "$VK_UP" "$VK_RETURN"
  wait_until 15 "the menu's check brought no notification window" notify_shown
  expect_eq "tree" "$EXPECTED_TREE" "$(notify_tree)"
  wait_until 10 "the tip does not count the messages" tip_shown "5 message(s) non-lu(s) (Alice, Bob)"
  e2e_screenshot tray-count >/dev/null || true
}

# A check asked for from the tray menu answers also when nothing waits: with every account left
# out, the window comes and says that no new message came.
case_tray_menu_check_answers_without_new_mail() {
  start_mail secret editMailWindowTime=0
  local account
  for account in "$ALICE_ACCOUNTS\\00000001" "$BOB_ACCOUNTS\\00000001" \
    "$SHARED_ACCOUNTS_KEY\\00000002"; do
    wine_run reg add "$account" /v "POP3 Skip Account" /t REG_DWORD /d 1 /f
  done
  tray_menu "$VK_END" "$VK_UP" "$VK_UP" "$VK_RETURN"
  wait_until 15 "the menu's check gave no answer" notify_shown
  expect_eq "caption" "Aucun nouveau message" "$(drv_value title state "${NOTIFY[@]}")"
  expect_eq "tree" "" "$(notify_tree)"
}

# With a display time of 0 the window stays and shows no counter; a double-click on an account
# line does nothing, one on Bob hides the window and starts Outlook Express under Bob.
case_double_click_switches_identity() {
  start_mail secret editMailWindowTime=0
  fire_mail_timer
  wait_until 15 "the notification window did not come" notify_shown
  drv controls "${NOTIFY[@]}" | grep -q "^id=$LBL_NOTIFY_CPT class=Static visible=0 " ||
    fail "a counter is shown with a display time of 0"
  drv treedbl "$TREE_NOTIFY" 1 "${NOTIFY[@]}" >/dev/null || fail "no account line to double-click"
  # Time for the double-click to hide the window and start Outlook Express, which it must not.
  sleep 4
  notify_shown || fail "a double-click on an account line hid the window"
  expect_eq "stand-in starts" 1 "$(msimn_start_count)"

  drv treedbl "$TREE_NOTIFY" 2 "${NOTIFY[@]}" >/dev/null || fail "no identity line to double-click"
  wait_until 5 "a double-click on an identity left the window" notify_hidden
  wait_until 30 "Outlook Express was not started again" msimn_started_at_least 2
  msimn_wait_log window=shown 20
  expect_eq "Last Username" Bob "$(msimn_log_value 'Last Username')"
}

# A check held up by a slow server leaves the window as it was: a double-click on the Alice row
# it shows starts Alice, although the check has meanwhile found mail for Bob only. When the slow
# server has answered, the check's rows come all at once.
case_double_click_during_a_check_acts_on_the_shown_row() {
  local ports=$E2E_WORK/late.port late_pid port
  rm -f "$ports"
  python3 "$E2E_ROOT/tests/net/late_pop3_server.py" "$ports" 15000 120 &
  late_pid=$!
  # shellcheck disable=SC2064  # the server of this case, ended however the case ends
  trap "kill $late_pid 2>/dev/null" EXIT
  wait_until 10 "the slow server did not start" test -s "$ports"
  port=$(<"$ports")
  start_mail secret editMailWindowTime=0 Carol_Lent_pass=x
  # Outlook Express runs under Bob; Carol's slow account waits its turn, skipped at first.
  e2e_reg_import '[HKEY_CURRENT_USER\Identities]' '"Last Username"="Bob"' '' \
    "[HKEY_CURRENT_USER\\Identities\\$SLOW_IDENTITY_GUID]" '"Username"="Carol"' '' \
    "$(pop3_account "$SLOW_ACCOUNT" Lent 127.0.0.1 carol "\"POP3 Port\"=dword:$(printf %08x "$port")" \
      '"POP3 Skip Account"=dword:00000001')"
  fire_mail_timer
  wait_until 15 "the notification window did not come" notify_shown
  expect_eq "tree" "$EXPECTED_TREE" "$(notify_tree)"

  # The next check finds nothing for Alice, Bob's mail, then waits on Carol's server.
  wine_run reg add "$ALICE_ACCOUNTS\\00000001" /v "POP3 Skip Account" /t REG_DWORD /d 1 /f
  wine_run reg add "$SLOW_ACCOUNT" /v "POP3 Skip Account" /t REG_DWORD /d 0 /f
  fire_mail_timer
  wait_until 15 "the check did not reach the slow server" eval \
    '[[ -n "$(ss -Htn state established "( sport = :$port )")" ]]'
  expect_eq "tree during the check" "$EXPECTED_TREE" "$(notify_tree)"
  drv treedbl "$TREE_NOTIFY" 0 "${NOTIFY[@]}" >/dev/null || fail "no Alice row to double-click"
  wait_until 5 "a double-click on Alice left the window" notify_hidden
  wait_until 30 "Outlook Express was not started again" msimn_started_at_least 2
  msimn_wait_log window=shown 20
  expect_eq "Last Username" Alice "$(msimn_log_value 'Last Username')"

  wait_until 30 "the check's rows did not come" notify_shown
  expect_eq "tree after the check" $'0 0 1 Bob\n1 1 0 Bureau : 2\n0 0 1 Carol\n1 1 0 Lent : 2' \
    "$(notify_tree)"
}

# A wrong stored password brings the question; Yes and the right password store it scrambled and
# the account is counted in the same check. The close button hides the window, which stays.
case_refused_password_is_asked_again() {
  start_mail oops editMailWindowTime=0
  fire_mail_timer
  answer_box "Le mot de passe pour le serveur localhost avec le login alice, semble incorrect, voulez-vous essayer avec un autre ?" "$IDYES"
  wait_until 10 "no question for the new password" input_query_open
  drv controls "${BOX[@]}" | grep -qF "text=Donnez le nouveau mot de passe" ||
    fail "the question lacks its prompt"
  drv type "$INPUT_ANSWER" secret "${BOX[@]}" >/dev/null || fail "cannot type the password"
  drv press "$IDOK" "${BOX[@]}" >/dev/null
  wait_until 15 "the account was not counted after the new password" \
    tip_shown "5 message(s) non-lu(s) (Alice, Bob)"
  local stored
  stored=$(tr -d '\r' <"$(settings_file)" | iconv -f CP1252 -t UTF-8 | sed -n 's/^Alice_Maison_pass=//p')
  expect_eq "stored password" "$(scrambled_password secret)" "$stored"

  wait_until 5 "the notification window did not come" notify_shown
  drv post "${NOTIFY[@]}" "$WM_CLOSE" 0 0 >/dev/null
  wait_until 5 "the close button did not hide the window" notify_hidden
}

# A refused password answered No leaves the account uncounted, and the e-mail tab, opened from
# the tray afterwards, says why for the first account listed without another click, and that the
# plain account went over TLS (the server offers STLS).
case_refused_password_shows_on_the_email_tab() {
  start_mail oops editMailWindowTime=0
  fire_mail_timer
  answer_box "Le mot de passe pour le serveur localhost avec le login alice, semble incorrect, voulez-vous essayer avec un autre ?" "$IDNO"
  wait_until 15 "the check did not go on after the refusal" tip_shown "2 message(s) non-lu(s) (Bob)"
  email_tab_of Alice
  wait_until 5 "the e-mail tab does not tell why Maison was not counted" \
    account_result_is "Relevé à HH:MM en TLS (SChannel) : mot de passe refusé par le serveur"
}

# A server's refusal in many words runs past the four lines under the accounts: the line shown
# ends with "..." and the label's tooltip holds it whole.
case_long_result_line_is_whole_in_its_tooltip() {
  local ports=$E2E_WORK/refusing.port refusing_pid port
  local words="The mailbox store moves to new disks tonight; try again in a few minutes, or write to the help desk quoting reference 4821-XY if it lasts"
  rm -f "$ports"
  python3 "$E2E_ROOT/tests/net/late_pop3_server.py" "$ports" 0 120 "-ERR [SYS/TEMP] $words" &
  refusing_pid=$!
  # shellcheck disable=SC2064  # the server of this case, ended however the case ends
  trap "kill $refusing_pid 2>/dev/null" EXIT
  wait_until 10 "the refusing server did not start" test -s "$ports"
  port=$(<"$ports")
  e2e_reg_import "$(pop3_account "$ALICE_ACCOUNTS\\00000002" Refus 127.0.0.1 alice \
    "\"POP3 Port\"=dword:$(printf %08x "$port")")"
  start_mail secret editMailWindowTime=0 Alice_Refus_pass=secret
  fire_mail_timer
  wait_until 15 "the check did not go on after the refusal" tip_shown "5 message(s) non-lu(s) (Alice, Bob)"
  email_tab_of Alice
  drv listclick "$LIST_ACCOUNTS" 1 "${MAIN[@]}" >/dev/null || fail "no second account to select"
  local whole="Relevé à HH:MM : échec temporaire du serveur : $words" shown
  wait_until 5 "the long line is not cut" eval '[[ "$(account_result)" == *... ]]'
  shown=$(account_result)
  [[ "$whole" == "${shown%...}"* ]] || fail "[$shown] is not the start of [$whole]"
  drv tooltips | sed -E 's/ [0-2][0-9]:[0-5][0-9] / HH:MM /' | grep -qxF "text=$whole" ||
    fail "no tooltip holds [$whole]: $(drv tooltips | tr '\n' ' ')"
}

# A server with nothing listening and a name that does not resolve each bring their box; the
# check goes on with the other accounts.
case_unreachable_servers_are_reported() {
  e2e_reg_import "$(pop3_account "$ALICE_ACCOUNTS\\00000002" Ferme 127.0.0.2 alice)" \
    "$(pop3_account "$ALICE_ACCOUNTS\\00000003" Inconnu "$LONG_HOST" alice)"
  start_mail secret editMailWindowTime=0 Alice_Ferme_pass=secret Alice_Inconnu_pass=secret
  fire_mail_timer
  answer_box "Impossible de contacter le serveur 127.0.0.2" "$IDOK"
  answer_box "Le serveur $LONG_HOST semble ne pas exister" "$IDOK"
  wait_until 15 "the check did not go on after the failures" \
    tip_shown "5 message(s) non-lu(s) (Alice, Bob)"
}

# An account that asks for SSL is counted over TLS on dovecot's pop3s port (its certificate from
# the test root, trusted in this prefix only); one whose server shows a certificate from an
# unknown authority, and one whose server leaves out its intermediate, each bring the box naming
# the server and the reason, and those servers hear no password. The missing intermediate is not
# fetched from the address its certificate gives.
case_secure_accounts() {
  mail_server_trust_root
  secure_account() {  # secure_account NUMBER NAME SERVER PORT
    pop3_account "$ALICE_ACCOUNTS\\$1" "$2" "$3" alice '"POP3 Secure Connection"=dword:00000001' \
      "\"POP3 Port\"=dword:$(printf %08x "$4")"
  }
  # The last server's name in capitals tells its box from the one before.
  e2e_reg_import "$(secure_account 00000002 Chiffre localhost "$MAIL_SERVER_POP3S_PORT")" \
    "$(secure_account 00000003 Douteux localhost "$MAIL_SERVER_UNTRUSTED_PORT")" \
    "$(secure_account 00000004 Incomplet LOCALHOST "$MAIL_SERVER_NOINTER_PORT")"
  start_mail secret editMailWindowTime=0 Alice_Chiffre_pass=secret Alice_Douteux_pass=secret \
    Alice_Incomplet_pass=secret
  fire_mail_timer
  local untrusted="le certificat du serveur n'est pas délivré par une autorité reconnue par cet ordinateur"
  local server refused="le mot de passe n'a pas été envoyé ($untrusted)"
  for server in localhost LOCALHOST; do
    answer_box "Impossible d'établir une connexion sécurisée avec le serveur $server, $refused" "$IDOK"
  done
  wait_until 15 "the secure account was not counted" tip_shown "8 message(s) non-lu(s) (Alice, Bob)"
  wait_until 5 "the notification window did not come" notify_shown
  expect_eq "tree" $'0 0 1 Alice\n1 1 0 Maison : 3\n1 1 0 Chiffre : 3\n0 0 1 Bob\n1 1 0 Bureau : 2' \
    "$(notify_tree)"
  local name
  for name in untrusted nointer; do
    grep -qx "$name accepted" "$MAIL_SERVER_TLS_LOG" || fail "the $name server was not asked"
    ! grep -q "$name heard" "$MAIL_SERVER_TLS_LOG" ||
      fail "the $name server heard: $(grep "$name heard" "$MAIL_SERVER_TLS_LOG" | tr '\n' ' ')"
  done
  [[ ! -s "$MAIL_SERVER_AIA_LOG" ]] || fail "the certificate check went out to the network"

  # Alice's accounts sorted, the first one's line shown at once; the second one's on a click.
  email_tab_of Alice
  wait_until 5 "the e-mail tab does not tell how Chiffre was counted" \
    account_result_is "Relevé à HH:MM en TLS (${SECURE_ENGINE:-SChannel}) : 3 message(s)"
  drv listclick "$LIST_ACCOUNTS" 1 "${MAIN[@]}" >/dev/null || fail "no second account to select"
  wait_until 5 "the e-mail tab does not tell why Douteux was not counted" \
    account_result_is "Relevé à HH:MM : connexion sécurisée refusée : $untrusted"
}

# The same with the built-in TLS engine, as VANTREL_TLS_ENGINE forces it.
case_secure_accounts_builtin_engine() {
  export VANTREL_TLS_ENGINE=builtin SECURE_ENGINE="TLS intégré"
  case_secure_accounts
}

# The same where SChannel makes no TLS 1.2 connections, as on Windows XP (the recipe's switch):
# nothing forces an engine, so the automatic choice must find the built-in one.
SCHANNEL_TLS12_CLIENT='HKLM\System\CurrentControlSet\Control\SecurityProviders\SCHANNEL\Protocols\TLS 1.2\Client'
case_secure_accounts_without_schannel_tls12() {
  trap 'wine_run reg delete "$SCHANNEL_TLS12_CLIENT" /f >/dev/null' EXIT
  wine_run reg add "$SCHANNEL_TLS12_CLIENT" /v Enabled /t REG_DWORD /d 0 /f >/dev/null
  wine_run reg add "$SCHANNEL_TLS12_CLIENT" /v DisabledByDefault /t REG_DWORD /d 1 /f >/dev/null
  unset VANTREL_TLS_ENGINE
  SECURE_ENGINE="TLS intégré" case_secure_accounts
}

# The IMAP logins of USER that dovecot logged after its first LINES lines.
imap_logins_since() {  # imap_logins_since LINES USER
  tail -n +$(($1 + 1)) "$MAIL_SERVER_DIR/dovecot.log" | grep "imap-login: .*Login: user=<$2>"
}

# Beside Alice's POP3 "Maison": her IMAP "Nuage", plain on port 143, secured by STARTTLS before
# its login, and her "Coffre", which asks for SSL. Each counts the unread messages of dave's
# inbox only (2 of 3), recorded in registry order with the POP3 account.
case_imap_accounts_counted_beside_pop3() {
  mail_server_trust_root
  e2e_regedit "$E2E_FIXTURES/mail-e2e-imap.reg"
  e2e_reg_import "[$ALICE_ACCOUNTS\\00000003]" '"Account Name"="Coffre"' '"IMAP Server"="localhost"' \
    '"IMAP User Name"="dave"' '"IMAP Secure Connection"=dword:00000001' \
    "\"IMAP Port\"=dword:$(printf %08x "$MAIL_SERVER_IMAPS_PORT")"
  start_mail secret editMailWindowTime=0 Alice_Nuage_pass=cumulus Alice_Coffre_pass=cumulus
  local before_check
  before_check=$(wc -l <"$MAIL_SERVER_DIR/dovecot.log")
  fire_mail_timer
  wait_until 15 "the IMAP accounts were not counted" tip_shown "9 message(s) non-lu(s) (Alice, Bob)"
  wait_until 5 "the notification window did not come" notify_shown
  expect_eq "tree" \
    $'0 0 1 Alice\n1 1 0 Maison : 3\n1 1 0 Nuage : 2\n1 1 0 Coffre : 2\n0 0 1 Bob\n1 1 0 Bureau : 2' \
    "$(notify_tree)"
  ! box_open || fail "a box came: $(drv text "${BOX[@]}" --timeout 0 | tr '\n' ' ')"
  # dovecot writes its log through a process of its own, a moment after the login.
  wait_until 5 "dovecot did not log two IMAP logins" eval \
    '[[ "$(imap_logins_since "$before_check" dave | grep -c .)" == 2 ]]'
  expect_eq "IMAP logins over TLS" 2 "$(imap_logins_since "$before_check" dave | grep -c ', TLS')"
}

# An IMAP account's tick is Vantrel's own: unticking Alice's "Nuage" writes it into the settings
# file and leaves its registry key as it was, while her POP3 account's flag is written as ever.
case_imap_tick_kept_in_the_settings_file() {
  e2e_regedit "$E2E_FIXTURES/oe-installroot.reg" "$E2E_FIXTURES/mail-e2e.reg" \
    "$E2E_FIXTURES/mail-e2e-imap.reg"
  mail_settings Alice_Maison_pass=secret Alice_Nuage_pass=cumulus
  local nuage_key=$ALICE_ACCOUNTS\\00000002 before
  before=$(wine_run reg query "$nuage_key" | tr -d '\r')
  show_accounts_of Alice \
    $'index=0 selected=1 checked=1 text=Maison\tlocalhost\nindex=1 selected=0 checked=1 text=Nuage\tlocalhost (IMAP)'
  tick_account 1
  wait_until 5 "the tick did not reach the settings file" eval \
    'tr -d "\r" <"$(settings_file)" | grep -qx "Alice_Nuage_imap=0"'
  expect_eq "Maison's skip flag" 0x0 "$(e2e_reg_value "$ALICE_ACCOUNTS\\00000001" "POP3 Skip Account")"
  expect_eq "Nuage's registry key" "$before" "$(wine_run reg query "$nuage_key" | tr -d '\r')"
}

# The e-mail tab: unticking "Ne pas gérer" enables the choices; Bob's accounts are listed sorted,
# the skipped one unticked. A click on a check box writes the skip flag into the key the account
# was read from: the shared "Commun" and Bob's own "Perso" are both numbered 00000001.
case_accounts_tab_writes_skip_flags() {
  e2e_regedit "$E2E_FIXTURES/oe-installroot.reg" "$E2E_FIXTURES/mail-e2e.reg"
  e2e_reg_import "$(pop3_account "$SHARED_ACCOUNTS_KEY\\00000001" Commun 127.0.0.1 nobody)"
  mail_settings Bob_Perso_pass=opensesame Bob_Bureau_pass=hunter2 Bob_Ancien_pass=wrong Bob_Commun_pass=x
  show_accounts_of Bob \
    $'index=0 selected=1 checked=0 text=Ancien\tlocalhost\nindex=1 selected=0 checked=1 text=Bureau\tlocalhost\nindex=2 selected=0 checked=1 text=Commun\t127.0.0.1\nindex=3 selected=0 checked=1 text=Perso\tlocalhost'
  tick_account 2
  wait_until 5 "the click did not write Commun's skip flag" \
    e2e_reg_value_is "$SHARED_ACCOUNTS_KEY\\00000001" "POP3 Skip Account" 0x1
  expect_eq "Perso's skip flag" 0x0 "$(e2e_reg_value "$BOB_ACCOUNTS\\00000001" "POP3 Skip Account")"
  tick_account 3
  wait_until 5 "the click did not write Perso's skip flag" \
    e2e_reg_value_is "$BOB_ACCOUNTS\\00000001" "POP3 Skip Account" 0x1
}

# Alice's IMAP "Nouvelles" on erin's inbox (mail-e2e-lines.reg) beside her POP3 "Maison": under
# each account its newest messages, sender and subject, each as written whatever its character set
# (the tree read back in Unicode: Cyrillic, Japanese through the system's code page), the one
# without a subject with the placeholder, then how many more; the window grows upward from the
# work area's bottom to show them, still without the focus. A second check finding the same counts
# fetches no header again and refills the open window as it was. A double-click on a message line
# brings Outlook Express as one on the identity does.
case_message_lines_in_any_script() {
  mail_server_trust_root
  e2e_regedit "$E2E_FIXTURES/mail-e2e-lines.reg"
  start_mail secret editMailWindowTime=0 checkVerifyAllId=0 Email/checkMailPreview=1 \
    Alice_Nouvelles_pass=nouvelles
  local before_check line
  before_check=$(wc -l <"$MAIL_SERVER_DIR/dovecot.log")
  fire_mail_timer
  wait_until 15 "the notification window did not come" notify_shown
  # A line the window's width cuts ends in an ellipsis, where the font decides. The sender stands
  # between two left-to-right marks.
  local i=$'\xe2\x80\x8e' p=$'\xe2\x80\x8e'
  local -a expected=(
    "0 0 1 Alice" "1 1 1 Maison : 3" "2 2 0 ${i}sender3@example.com${p} – note 3"
    "2 2 0 ${i}sender2@example.com${p} – note 2" "2 2 0 ${i}sender1@example.com${p} – note 1"
    "1 1 1 Nouvelles : 8" "2 2 0 ${i}nosubject@example.com${p} – (s*" "2 2 0 ${i}Jörg${p} – Café crème"
    "2 2 0 ${i}Folded Sender${p} – Un sujet très*…" "2 2 0 ${i}山田太郎${p} – 会議の資料"
    "2 2 0 ${i}Дмитрий${p} – Счёт № 42" "2 2 0 … et 3 de plus")
  local -a shown
  expect_lines() {  # expect_lines WHEN
    mapfile -t shown < <(notify_tree)
    expect_eq "lines $1" "${#expected[@]}" "${#shown[@]}"
    for line in "${!expected[@]}"; do
      # shellcheck disable=SC2053  # the expected line is a pattern
      [[ "${shown[line]}" == ${expected[line]} ]] ||
        fail "line $line $1: [${shown[line]}] is not [${expected[line]}]"
    done
  }
  expect_lines "of the first check"
  [[ "${shown[6]}" == *"(sans objet)" || "${shown[6]}" == *"…" ]] || fail "line 6 is cut without an ellipsis"
  local rect area client
  rect=$(drv_value rect state "${NOTIFY[@]}")
  area=$(drv_value workarea state "${NOTIFY[@]}")
  client=$(drv_value client state "${NOTIFY[@]}")
  expect_eq "bottom-right corner" "${area#*,*,}" "${rect#*,*,}"
  [[ "$client" == 282x* ]] && ((${client#282x} > 131)) || fail "the window did not grow: $client"
  expect_eq "foreground" 0 "$(drv_value foreground state "${NOTIFY[@]}")"
  # The tree takes what the window grew by; the labels stay at its bottom.
  expect_eq "layout" "id=100 x=8 y=8 width=265 height=$((${client#282x} - 34))" \
    "$(drv layout "${NOTIFY[@]}" | sed -n '1s/ indent=.*//p')"
  wait_until 5 "dovecot did not log the headers fetched" eval \
    '[[ "$(tail -n +$((before_check + 1)) "$MAIL_SERVER_DIR/dovecot.log" | grep -c "top=3/\|hdr_count=5 ")" == 2 ]]'

  # The same counts again, the window still open: only the count is asked, and the window keeps
  # every line, open as before, at its height.
  before_check=$(wc -l <"$MAIL_SERVER_DIR/dovecot.log")
  fire_mail_timer
  wait_until 15 "the second check did not end" eval \
    '[[ "$(tail -n +$((before_check + 1)) "$MAIL_SERVER_DIR/dovecot.log" | grep -c "Disconnected: Logged out")" == 2 ]]'
  expect_eq "headers fetched again" 2 \
    "$(tail -n +$((before_check + 1)) "$MAIL_SERVER_DIR/dovecot.log" | grep -c "top=0/0\|hdr_count=0 ")"
  # Time for the refill after the server's last word, which must leave the window as it was.
  sleep 2
  expect_lines "after the second check"
  expect_eq "client after the second check" "$client" "$(drv_value client state "${NOTIFY[@]}")"

  # A double-click on a message line does what one on its identity does.
  drv treedbl "$TREE_NOTIFY" 10 "${NOTIFY[@]}" >/dev/null || fail "no message line to double-click"
  wait_until 5 "a double-click on a message line left the window" notify_hidden
  wait_until 5 "Outlook Express did not come back" window_state_is "visible=1" "${OE[@]}"
}

# Alice's IMAP "Nuage" on fay's empty inbox, pushed, checked every 999 minutes: a message delivered
# into the mailbox (written into tmp/, renamed into new/) brings the notification window with its
# sender, no timed check having run (the tip counts Nuage's message alone).
case_push_announces_delivery() {
  e2e_reg_import "[$ALICE_ACCOUNTS\\00000002]" '"Account Name"="Nuage"' '"IMAP Server"="localhost"' \
    '"IMAP User Name"="fay"'
  local before box=$MAIL_SERVER_DIR/mail/fay
  before=$(wc -l <"$MAIL_SERVER_DIR/dovecot.log")
  start_mail secret editMailTime=999 editMailWindowTime=0 Email/checkMailPreview=1 \
    Email/checkMailPush=1 Alice_Nuage_pass=zephyr
  wait_until 15 "push did not log in" eval \
    '[[ -n "$(imap_logins_since "$before" fay)" ]]'
  notify_hidden || fail "the notification window came for an empty inbox"
  printf 'From: Push Sender <push@example.com>\r\nSubject: Arrived\r\n\r\nnow\r\n' >"$box/tmp/push.1"
  chown dovecot:dovecot "$box/tmp/push.1"
  mv "$box/tmp/push.1" "$box/new/1700000000.push.vantrel"
  wait_until 10 "the delivery was not announced" notify_shown
  notify_tree | grep -q 'Push Sender' || fail "the window lacks the sender: $(notify_tree | tr '\n' '|')"
  tip_shown "1 message(s) non-lu(s) (Alice)" || fail "a timed check ran, or the tip is wrong"
}

# The machine without a network: Vantrel and a POP3 server of the case in a namespace of its own,
# loopback alone. A check raises no box and the e-mail tab says the network is absent; a network
# that comes back brings the check within 10 s, Wine's NotifyAddrChange telling nothing.
case_machine_without_network() {
  local ns=vantrel-offline-$$ ports=$E2E_WORK/offline.port port
  rm -f "$ports"
  # shellcheck disable=SC2064  # this case's namespace and server, gone however the case ends
  trap "offline_end $ns" EXIT
  offline_begin "$ns" || fail "no namespace of its own"
  ip netns exec "$ns" python3 "$E2E_ROOT/tests/net/late_pop3_server.py" "$ports" 0 60 &
  # shellcheck disable=SC2064
  trap "kill $! 2>/dev/null; offline_end $ns" EXIT
  wait_until 10 "the namespace's server did not start" test -s "$ports"
  port=$(<"$ports")
  e2e_regedit "$E2E_FIXTURES/oe-installroot.reg"
  e2e_reg_import '[HKEY_CURRENT_USER\Identities]' '"Last Username"="Alice"' '' \
    '[HKEY_CURRENT_USER\Identities\{7C3E9B42-1D2F-4A6B-8E5C-3F4A5B6C7D02}]' '"Username"="Alice"' '' \
    "$(pop3_account "$ALICE_ACCOUNTS\\00000001" Local 127.0.0.1 alice \
      "\"POP3 Port\"=dword:$(printf %08x "$port")")"
  # Without message lines: this server counts and no more.
  mail_settings checkNoMail=0 editMailTime=$MAIL_MINUTES Email/checkMailPreview=0 Alice_Local_pass=x
  start_watching
  fire_mail_timer
  email_tab_of Alice
  wait_until 5 "the e-mail tab does not say the network is absent" \
    account_result_is "Relevé à HH:MM : pas de réseau, relevé dès son retour"
  ! box_open || fail "a box came: $(drv text "${BOX[@]}" --timeout 0 | tr '\n' ' ')"
  drv click "${MAIN[@]}" "$IDOK" >/dev/null || fail "no OK button"
  wait_until 5 "the configuration window stayed" window_state_is "visible=0" "${MAIN[@]}"
  offline_network_back "$ns"
  wait_until 10 "the network's return brought no check" tip_shown "2 message(s) non-lu(s) (Alice)"
}

# Declared DPI-aware, Vantrel lays the notification window out for the system's DPI too, as its
# main window: 282 x 131 at 96 DPI, the tree at 8,8 (265 x 97, indent 19) and the labels at 112.
case_notify_window_at_144_dpi() {
  wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f ||
    fail "could not set the DPI"
  wine_stop
  start_mail secret editMailWindowTime=0
  fire_mail_timer
  wait_until 15 "the notification window did not come" notify_shown
  sleep 1  # a picture of the painted window: painting leaves no sign the driver can wait on
  e2e_screenshot notify-144-dpi >/dev/null || true
  expect_eq "client area, half as large again as at 96 DPI" 423x197 \
    "$(drv_value client state "${NOTIFY[@]}")"
  expect_eq "controls and tree indent" \
    $'id=100 x=12 y=12 width=398 height=146 indent=29\nid=101 x=12 y=168 width=374 height=26\nid=102 x=384 y=168 width=26 height=26' \
    "$(drv layout "${NOTIFY[@]}")"
  wine_run reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f
}

suite_mail() {
  command -v dovecot >/dev/null || [[ -x /usr/sbin/dovecot ]] || {
    e2e_log "e2e mail: dovecot is missing"
    return 1
  }
  e2e_begin_vantrel_suite mail || return 1
  mail_server_start && networks_up || {
    mail_server_stop
    networks_down
    return 1
  }
  e2e_cases check_announces_new_mail tray_menu_checks_mail tray_menu_check_answers_without_new_mail \
    double_click_switches_identity \
    double_click_during_a_check_acts_on_the_shown_row refused_password_is_asked_again \
    refused_password_shows_on_the_email_tab long_result_line_is_whole_in_its_tooltip \
    unreachable_servers_are_reported secure_accounts secure_accounts_builtin_engine \
    secure_accounts_without_schannel_tls12 accounts_tab_writes_skip_flags \
    imap_accounts_counted_beside_pop3 imap_tick_kept_in_the_settings_file \
    message_lines_in_any_script push_announces_delivery machine_without_network
  # Last: it changes the prefix's DPI.
  e2e_cases notify_window_at_144_dpi
  mail_server_stop
  networks_down
  e2e_end_suite
}
