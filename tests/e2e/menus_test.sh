# Each main menu opens from the keyboard in the real window and holds its
# commands, as a screen reader reads them over the AT-SPI bus; a command
# chosen from a menu takes effect. A screenshot of each menu is kept.
READS_ACCESSIBILITY=1
source "$(dirname "$0")/lib.sh"
start_x
start_app

open_menu() { /usr/bin/python3 "$TREE" menu | paste -sd'|'; }

# menu KEY EXPECTED: Alt+KEY opens the menu whose items are EXPECTED ("|"
# between items); Escape closes it again.
menu() {
  activate "$WINDOW"
  xdotool key "alt+$1"
  sleep 0.5
  screenshot "menu-$1"
  local items=""
  for _ in $(seq 20); do
    items=$(open_menu)
    [[ $items == "$2" ]] && break
    sleep 0.2
  done
  [[ $items == "$2" ]] || fail "alt+$1 showed '$items', not '$2'"
  xdotool key Escape
  sleep 0.3
  [[ -z $(open_menu) ]] || fail "Escape left the menu of alt+$1 open"
}

# Before any calculation the commands that need one are dimmed.
menu f "File:|New [off]|Open...|Open Recent [off]|Save.. [off]|Export... [off]|Print... [off]|Print Preview [off]|Printer Setup...|Preferences...|Mini Calc|Exit"
menu e "Edit:|Undo [off]|Redo [off]|Copy|Paste|Clear|Copy Duration|Sort... [off]|Find... [off]|Range Checking [x]"
menu v "View:|Descriptions|Percentages [x]|Frame Mode"
menu h "Help:|Contents|Index|Show Balloon Help [x]|About..."

# A calculation, then View > Frame Mode chosen from the keyboard: Frame
# Mode is checked and the commands that need a calculation wake.
activate "$WINDOW"
main_window_origin
xdotool mousemove $(point in-field) click 1
sleep 0.3
type_keys "1000+500"
xdotool key Return
sleep 0.3
xdotool key alt+v
sleep 0.5
xdotool key a
sleep 0.5
menu v "View:|Descriptions|Percentages [x]|Frame Mode [x]"
menu f "File:|New|Open...|Open Recent [off]|Save..|Export...|Print...|Print Preview|Printer Setup...|Preferences...|Mini Calc|Exit"
menu e "Edit:|Undo|Redo [off]|Copy|Paste|Clear|Copy Duration|Sort...|Find...|Range Checking [x]"
echo "menus opened with their commands; screenshots in $OUTPUT"
