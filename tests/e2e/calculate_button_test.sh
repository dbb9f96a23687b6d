# The real mouse on the Calculate button: each of six clicks without moving
# the mouse calculates once, and a double-click calculates twice (a click
# and a double-click).
source "$(dirname "$0")/lib.sh"
start_x
start_app
type_keys "100+100"
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
# The button is centred in the band just above the status bar.
xdotool mousemove --window "$WINDOW" $((WIDTH / 2)) $((HEIGHT - 41))
sleep 0.3
for _ in 1 2 3 4 5 6; do
  xdotool click 1
  sleep 0.3
done
screenshot six-clicks
save_as "$WORK/clicks.obr"
[[ $(calculations_in "$WORK/clicks.obr") == 6 ]] || fail "six clicks made $(calculations_in "$WORK/clicks.obr") calculations"

activate "$WINDOW"
xdotool mousemove --window "$WINDOW" $((WIDTH / 2)) $((HEIGHT - 41))
sleep 0.3
xdotool click --repeat 2 --delay 80 1
sleep 0.3
screenshot double-click
save_as "$WORK/double.obr"
[[ $(calculations_in "$WORK/double.obr") == 8 ]] || fail "a double-click after six clicks left $(calculations_in "$WORK/double.obr") calculations"
echo "six clicks made six calculations, a double-click two more"
