# The clipboard and drag and drop with the real mouse and keyboard: a right
# click copies a cell, a Duration cell dragged onto the In field fills it,
# the row pressed on goes to the trash, and text another program put on the
# clipboard pastes with Ctrl+V.
source "$(dirname "$0")/lib.sh"

# Points in the window: the NonDrop list's Duration cells (rows 16 pixels
# apart), the In field and the trash.
duration_cell() { echo $((win_x + 235)) $((win_y + 118 + 16 * $1)); }
in_field() { echo $((win_x + 47)) $((win_y + 295)); }
trash() { echo $((win_x + 302)) $((win_y + 337)); }

clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }

# copy_in: Ctrl+C with the focus in the In field, then what the clipboard holds.
copy_in() {
  xdotool key ctrl+c
  sleep 0.3
  clipboard
}

# drag x1 y1 x2 y2: a left press, a move in steps, a release, as a hand does.
drag() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $(($1 + ($3 - $1) * step / 8)) $(($2 + ($4 - $2) * step / 8))
    sleep 0.1
  done
  sleep 0.3
  screenshot "$5"
  xdotool mouseup 1
  sleep 0.5
}

start_x
start_app
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
win_x=$X win_y=$Y
for calculation in "1000000+300000" "2000000+100000" "3000000+100000"; do
  type_keys "$calculation"
  xdotool key Return
  sleep 0.3
done
screenshot three-calculations

# A right click copies the cell under the pointer.
read -r x y < <(duration_cell 1)
xdotool mousemove "$x" "$y" click 3
sleep 0.3
[[ $(clipboard) == 02:10:00:00 ]] || fail "a right click on a Duration cell copied '$(clipboard)'"

# A Duration cell dragged onto the In field becomes the In operand.
read -r x y < <(duration_cell 0)
read -r to_x to_y < <(in_field)
drag "$x" "$y" "$to_x" "$to_y" dragging-onto-in
[[ $(copy_in) == 01:30:00:00 ]] || fail "the In field holds '$(clipboard)' after the drop"
screenshot dropped-onto-in

# Pressed near the bottom edge of row 0 and moved down across row 1: the
# trash deletes row 0, the row the button went down on.
read -r x y < <(duration_cell 0)
read -r to_x to_y < <(trash)
drag "$x" $((y + 6)) "$to_x" "$to_y" trash-open
read -r x y < <(duration_cell 0)
xdotool mousemove "$x" "$y" click 3
sleep 0.3
[[ $(clipboard) == 02:10:00:00 ]] || fail "after the trash, row 0 holds '$(clipboard)'"
read -r x y < <(duration_cell 1)
xdotool mousemove "$x" "$y" click 3
sleep 0.3
[[ $(clipboard) == 03:10:00:00 ]] || fail "after the trash, row 1 holds '$(clipboard)'"
screenshot row-deleted

# Text another program copied: the first line, in the active tab's form.
printf '04;05;06;07\nsecond line' | xclip -i -selection clipboard
sleep 0.3
read -r x y < <(in_field)
xdotool mousemove "$x" "$y" click 1
sleep 0.3
xdotool key ctrl+v
sleep 0.3
[[ $(copy_in) == 04:05:06:07 ]] || fail "Ctrl+V pasted '$(clipboard)'"
screenshot pasted
echo "right click copied, drops filled the In field and deleted the pressed row, Ctrl+V pasted"
