# The clipboard and drag and drop with the real mouse and keyboard: a right
# click copies a cell, a Duration cell dragged onto the In field fills it,
# the row pressed on goes to the trash, and text another program put on the
# clipboard pastes with Ctrl+V.
source "$(dirname "$0")/lib.sh"

clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }

# copy_in: Ctrl+C with the focus in the In field, then what the clipboard holds.
copy_in() {
  xdotool key ctrl+c
  sleep 0.3
  clipboard
}

start_x
start_app
main_window_origin
for calculation in "1000000+300000" "2000000+100000" "3000000+100000"; do
  type_keys "$calculation"
  xdotool key Return
  sleep 0.3
done
screenshot three-calculations

# A right click copies the cell under the pointer.
read -r x y < <(point duration-cell 1)
xdotool mousemove "$x" "$y" click 3
sleep 0.3
[[ $(clipboard) == 02:10:00:00 ]] || fail "a right click on a Duration cell copied '$(clipboard)'"

# A Duration cell dragged onto the In field becomes the In operand.
read -r x y < <(point duration-cell 0)
read -r to_x to_y < <(point in-field)
drag "$x" "$y" "$to_x" "$to_y" dragging-onto-in
[[ $(copy_in) == 01:30:00:00 ]] || fail "the In field holds '$(clipboard)' after the drop"
screenshot dropped-onto-in

# Pressed near the bottom edge of row 0 and moved down across row 1: the
# trash deletes row 0, the row the button went down on.
read -r x y < <(point duration-cell 0)
read -r to_x to_y < <(point trash)
drag "$x" $((y + 6)) "$to_x" "$to_y" trash-open
read -r x y < <(point duration-cell 0)
xdotool mousemove "$x" "$y" click 3
sleep 0.3
[[ $(clipboard) == 02:10:00:00 ]] || fail "after the trash, row 0 holds '$(clipboard)'"
read -r x y < <(point duration-cell 1)
xdotool mousemove "$x" "$y" click 3
sleep 0.3
[[ $(clipboard) == 03:10:00:00 ]] || fail "after the trash, row 1 holds '$(clipboard)'"
screenshot row-deleted

# Text another program copied: the first line, in the active tab's form.
printf '04;05;06;07\nsecond line' | xclip -i -selection clipboard
sleep 0.3
read -r x y < <(point in-field)
xdotool mousemove "$x" "$y" click 1
sleep 0.3
xdotool key ctrl+v
sleep 0.3
[[ $(copy_in) == 04:05:06:07 ]] || fail "Ctrl+V pasted '$(clipboard)'"
screenshot pasted
echo "right click copied, drops filled the In field and deleted the pressed row, Ctrl+V pasted"
