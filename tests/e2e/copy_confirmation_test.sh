# A cell dropped on the Copy button with the real mouse: the status bar
# shows the copy's confirmation, and it stays readable while the pointer
# rests on the button (a hand never holds quite still); once the pointer
# has left and come back, the button's hover text shows again.
source "$(dirname "$0")/lib.sh"
start_x
start_app
main_window_origin
for calculation in "1000000+300000" "2000000+100000"; do
  type_keys "$calculation"
  xdotool key Return
  sleep 0.3
done

# The Copy button in the toolbar, and the status bar's first panel.
copy_x=$((win_x + 169)) copy_y=$((win_y + 32))
# status NAME: the first panel as the screen shows it.
status() {
  screenshot "$1"
  convert "$OUTPUT/$1.png" -crop 226x16+$((win_x + 2))+$((win_y + 355)) +repage "$OUTPUT/$1-status.png"
}
differing() {
  compare -metric AE "$OUTPUT/$1-status.png" "$OUTPUT/$2-status.png" null: 2>&1 || true
}

# The confirmation of the same text, from a right click on the cell.
read -r x y < <(point duration-cell 1)
xdotool mousemove "$x" "$y" click 3
sleep 0.5
status right-click-copy
[[ $(xclip -o -selection clipboard) == 02:10:00:00 ]] || fail "the right click copied '$(xclip -o -selection clipboard)'"
xclip -i -selection clipboard </dev/null

drag "$x" "$y" "$copy_x" "$copy_y" dragging-onto-copy
[[ $(xclip -o -selection clipboard) == 02:10:00:00 ]] || fail "the drop copied '$(xclip -o -selection clipboard)'"
xdotool mousemove $((copy_x + 2)) $((copy_y + 1))
sleep 0.3
xdotool mousemove $((copy_x - 1)) $((copy_y + 2))
sleep 0.5
status after-drop
[[ $(differing right-click-copy after-drop) == 0 ]] ||
  fail "the status bar no longer shows the drop's confirmation while the pointer rests on the Copy button"

read -r x y < <(point in-field)
xdotool mousemove "$x" "$y"
sleep 0.3
xdotool mousemove "$copy_x" "$copy_y"
sleep 0.5
status back-on-copy
[[ $(differing right-click-copy back-on-copy) != 0 ]] || fail "back on the Copy button, its hover text did not show"
echo "the copy confirmation stays readable on the Copy button"
