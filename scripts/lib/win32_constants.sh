# shellcheck shell=bash
# Win32 numbers that the scripts hand to the driver, named once.
# shellcheck disable=SC2034  # used by the scripts that source this file

# Messages
WM_NULL=0x0000
WM_CLOSE=0x0010
WM_KEYDOWN=0x0100
WM_SYSCOMMAND=0x0112
WM_LBUTTONUP=0x0202
WM_LBUTTONDBLCLK=0x0203
WM_RBUTTONUP=0x0205
WM_HOTKEY=0x0312
WM_USER=0x0400
# Vantrel's tray icon callback, as in src/app/app_constants.h; its lParam is the mouse message.
WM_TRAYNOTIFY=$((WM_USER + 1001))

# WM_SYSCOMMAND commands
SC_CLOSE=0xF060

# Show commands
SW_MINIMIZE=6

# Buttons of a message box
IDOK=1  # also the configuration window's OK button (src/win32/control_ids.h)
IDYES=6
IDNO=7

# Hot key modifiers and virtual keys
MOD_CONTROL=0x0002
MOD_SHIFT=0x0004
VK_RETURN=0x0D
VK_END=0x23
VK_HOME=0x24
VK_UP=0x26
VK_RIGHT=0x27
VK_DOWN=0x28
VK_F1=0x70
