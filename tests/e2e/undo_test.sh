# A row dragged onto the trash comes back in its place with Alt+Backspace.
source "$(dirname "$0")/lib.sh"

start_x
start_app
for n in 1 2 3; do
  type_keys "1000000+${n}00000"
  xdotool key Return
done
sleep 0.3
save_as "$WORK/before.obr"

main_window_origin
read -r x1 y1 < <(point duration-cell 1)
read -r x2 y2 < <(point trash)
drag "$x1" "$y1" "$x2" "$y2" over-trash
save_as "$WORK/deleted.obr"
[[ $(calculations_in "$WORK/deleted.obr") == 2 ]] || fail "the drag onto the trash deleted no row"

xdotool windowfocus --sync "$WINDOW"
xdotool key alt+BackSpace
sleep 0.5
screenshot after-undo
save_as "$WORK/undone.obr"
cmp "$WORK/before.obr" "$WORK/undone.obr" || fail "Alt+Backspace did not put the row back in its place"

xdotool windowfocus --sync "$WINDOW"
xdotool key shift+alt+BackSpace
sleep 0.5
save_as "$WORK/redone.obr"
cmp "$WORK/deleted.obr" "$WORK/redone.obr" || fail "Shift+Alt+Backspace did not delete the row again"
echo "a row deleted on the trash came back with Alt+Backspace and went again with Shift+Alt+Backspace"
