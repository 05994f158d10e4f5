# shellcheck shell=bash
# The most a shipped Vantrel.exe may weigh, in bytes: what users download and what a tray
# program should cost. scripts/test-package enforces them, scripts/bench prints them.
VANTREL_BUDGET_X64=$((600 * 1024))
VANTREL_BUDGET_X86=$((550 * 1024))
