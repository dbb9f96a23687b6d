# The pencil button with the real mouse: entering description edit mode
# opens the editor on the last description and leaves the other cells of
# the list where they were drawn, under their header sections.
source "$(dirname "$0")/lib.sh"
start_x
start_app
type_keys "1220+100"
xdotool key Return
sleep 0.5
main_window_origin

# list_band NAME: the header bar and first row of the NonDrop list, In to
# Duration, as the screen shows them.
list_band() {
  screenshot "$1"
  convert "$OUTPUT/$1.png" -crop 240x32+$((win_x + 12))+$((win_y + 95)) +repage "$OUTPUT/$1-band.png"
}
list_band drag-mode
read -r x y < <(point edit-button)
xdotool mousemove "$x" "$y" click 1
sleep 1
list_band edit-mode
differing=$(compare -metric AE "$OUTPUT/drag-mode-band.png" "$OUTPUT/edit-mode-band.png" null: 2>&1 || true)
[[ $differing == 0 ]] || fail "entering edit mode redrew the list's cells and header elsewhere ($differing pixels differ)"
echo "edit mode keeps the list in place"
