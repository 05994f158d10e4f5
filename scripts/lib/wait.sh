# shellcheck shell=bash
# Waiting on a condition instead of for a fixed time.

# Polls COMMAND until it succeeds; status 1 once SECONDS have passed without it.
wait_for() {  # wait_for SECONDS COMMAND...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}
