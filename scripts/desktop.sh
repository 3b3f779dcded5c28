# SPDX-License-Identifier: MIT
# Sourced by the shell scripts that need a desktop (see scripts/desktop.py):
#   on_exit COMMAND               runs COMMAND when the script exits, after
#                                 those registered later (traps compose)
#   start_virtual_display WxH     Xvfb on a free display; sets $display and
#                                 $xvfb, ends it on exit, fails loudly
#   screenshot_once_shown PID PATH
desktop_py="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/desktop.py"
on_exit_commands=()
run_on_exit() {
  local i
  for ((i = ${#on_exit_commands[@]} - 1; i >= 0; i--)); do eval "${on_exit_commands[i]}" || true; done
}
on_exit() {
  on_exit_commands+=("$1")
  trap run_on_exit EXIT
}
start_virtual_display() {
  local started
  started="$(/usr/bin/python3 "$desktop_py" display "$1")" || return 1
  read -r display xvfb <<< "$started"
  on_exit "kill $xvfb 2>/dev/null"
}
screenshot_once_shown() {
  DISPLAY="${display:-$DISPLAY}" /usr/bin/python3 "$desktop_py" screenshot "$1" "$2"
}
