#!/usr/bin/env bash
# The About tab: the installed Outlook Express version, and the update check against the network
# suite's HTTP server on 127.0.0.1 and against a port where nothing listens.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The configuration window on its About tab, the update host pointed at 127.0.0.1:PORT.
about_open() {  # about_open PORT
  e2e_prepare
  export VANTREL_UPDATE_HOST=127.0.0.1:$1
  config_window /config
  drv tab "${MAIN[@]}" 100 4 >/dev/null || fail "no About tab"
}

about_check_update() {  # about_check_update TEXT ICON: clicks "Mise à jour", the box that answers
  local id
  id=$(button_id "Mise à jour" "${MAIN[@]}")
  [[ -n "$id" ]] || fail "no update button"
  drv click "${MAIN[@]}" "$id" >/dev/null || fail "could not click the update button"
  expect_box "$1" "$2" 40
}

# A port on 127.0.0.1 where nothing listens: taken from the system, then let go.
about_closed_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

case_about_version_and_latest() {
  local port
  ABOUT_DIR=$(mktemp -d "$E2E_WORK/http.XXXXXX")
  python3 "$E2E_ROOT/tests/net/http_server.py" "$ABOUT_DIR/port" 60 >/dev/null 2>&1 &
  ABOUT_SERVER=$!
  trap 'kill "$ABOUT_SERVER" 2>/dev/null || true; rm -rf "$ABOUT_DIR"' EXIT
  wait_until 10 "the HTTP server's port" test -s "$ABOUT_DIR/port"
  port=$(cat "$ABOUT_DIR/port")
  about_open "$port"
  expect_contains "Outlook Express version from the registry" \
    "visible=1 enabled=1 checked=- text=Outlook Express v6.00.2900.5512" \
    "$(drv controls "${MAIN[@]}")"
  about_check_update "La dernière version de Vantrel est la 2.3" blue
  e2e_screenshot about-latest-version >/dev/null
}

case_about_closed_port() {
  about_open "$(about_closed_port)"
  about_check_update "Impossible de récupérer le numero de la dernière version" error
}

suite_about() {
  e2e_begin_vantrel_suite about || return 1
  e2e_case version-and-latest case_about_version_and_latest
  e2e_case closed-port case_about_closed_port
  e2e_end_suite
}
