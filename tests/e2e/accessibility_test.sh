# Ombrel read through the AT-SPI bus, as a screen reader reads it: the main
# window, the Mini Calc and every dialog give each button, field, list and
# status panel a name and a control's role; Tab reaches the shown list and
# Delete there removes the current row.
READS_ACCESSIBILITY=1
source "$(dirname "$0")/lib.sh"
start_x
start_app
faults=0
# check TITLE FILE [EXPECT...]: see accessible_tree.py.
check() {
  local title=$1 file=$2
  shift 2
  /usr/bin/python3 "$TREE" check "$title" "$@" >"$OUTPUT/accessible-$file.txt" 2>"$OUTPUT/accessible-$file.faults" || {
    cat "$OUTPUT/accessible-$file.faults" >&2
    faults=1
  }
}
# open KEYS TITLE FILE [EXPECT...]: opens a window with KEYS, checks it,
# closes it with Escape.
open() {
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
  xdotool key --delay 300 $1
  local shown
  shown=$(timeout 10 xdotool search --sync --onlyvisible --name "^$2\$" | head -1) || fail "$1 showed no '$2'"
  sleep 0.7
  local keys=$1
  shift
  check "$@"
  xdotool windowfocus --sync "$shown" 2>/dev/null || true
  xdotool key Escape
  sleep 0.5
}


# Two rows, so that the dialogs that need work have some.
type_keys "1000+500"
xdotool key Return
type_keys "2000+100"
xdotool key Return
sleep 0.3
check Ombrel main "push button=Calculate" "push button=New" "push button=F3" "combo box=Operator" \
  "text=Out" "text=In" "text=Duration" "table=NonDrop" "filler=Trash" "label=Total Calculations: 2" "label=.*%"

focused() { /usr/bin/python3 "$TREE" focus; }
# Tab from the first field reaches the shown list.
xdotool windowfocus --sync "$WINDOW" 2>/dev/null || true
[[ $(focused) == "[text] Out" ]] || fail "the keyboard starts in '$(focused)', not the Out field"
walked=""
for _ in $(seq 40); do
  xdotool key Tab
  sleep 0.2
  now=$(focused)
  walked+="$now; "
  [[ $now == "[table] NonDrop" ]] && break
done
echo "Tab: $walked"
[[ $now == "[table] NonDrop" ]] || fail "Tab never reached the list: $walked"
# Ctrl+C copies the current cell (the last calculation's), Delete removes its row.
printf 'nothing' | xclip -selection clipboard
xdotool key ctrl+c
sleep 0.3
copied=$(xclip -o -selection clipboard)
[[ $copied =~ ^00:00:(20|01|21):00$ ]] || fail "Ctrl+C in the list copied '$copied'"
xdotool key Delete
sleep 0.5
check Ombrel after-delete "label=Total Calculations: 1"
xdotool key Escape
sleep 0.3
[[ $(focused) == "[text] Out" ]] || fail "Escape left the keyboard in '$(focused)'"

open ctrl+m "Mini Calc" mini-calc "push button=7" "push button=Calculate" "text=Display" "!check box"
open ctrl+f "Find" find
open ctrl+e "Export" export
open ctrl+p "Print\.\.\." print
open "alt+f v" "Preview.*" preview
open "alt+f f" "Preferences" preferences "combo box=Start With:" "combo box=Tabs On:" "combo box=Labels:"
open "alt+h c" "Ombrel Help" help "push button=Back" "push button=Forward" "tree=Contents"
open "alt+h a" "About Ombrel" about
((faults == 0)) || fail "controls without a name or with the wrong role (above)"
echo "every control has a name and a role"
