# The Mini Calc with the real mouse: Ctrl+M opens it, each click on a
# keypad button or on its Calculate picture counts once (repeated clicks
# on the same place and a double-click included), Enter repeats the last
# operation, and the rows are in the saved file.
source "$(dirname "$0")/lib.sh"
start_x
start_app
xdotool key ctrl+m
MINI=$(timeout 10 xdotool search --sync --onlyvisible --name '^Mini Calc$' | head -1) || fail "Ctrl+M showed no Mini Calc"
activate "$MINI" 2>/dev/null || true
sleep 0.5

# click_at X Y [COUNT]: clicks the Mini Calc's client point COUNT times
# without moving the mouse in between.
click_at() {
  xdotool mousemove --window "$MINI" "$1" "$2"
  sleep 0.2
  for _ in $(seq "${3:-1}"); do
    xdotool click 1
    sleep 0.3
  done
}
readonly CALCULATE="92 178" PLUS="120 126" ONE="24 116" TWO="56 116" FIVE="56 84" ZERO="24 148"

click_at $ONE
click_at $ZERO
click_at $PLUS
click_at $FIVE
click_at $CALCULATE 3
xdotool click --repeat 2 --delay 80 1
sleep 0.3
click_at $TWO 3
click_at $PLUS
click_at $ONE
click_at $CALCULATE
xdotool key Return
sleep 0.3
screenshot mini-calc

save_as "$WORK/mini.obr"
[[ $(calculations_in "$WORK/mini.obr") == 7 ]] || fail "the clicks made $(calculations_in "$WORK/mini.obr") calculations, not 7"
{
  printf 'NonDropFrame Timecode\r\n'
  for _ in 1 2 3 4 5; do printf '00:00:00:10 + 00:00:00:05 = 00:00:00:15   \r\n'; done
  printf '00:00:02:22 + 00:00:00:01 = 00:00:02:23   \r\n'
  printf '00:00:02:23 + 00:00:00:01 = 00:00:02:24   \r\n'
} >"$WORK/expected.txt"
grep -a -A7 '^NonDropFrame Timecode' "$WORK/mini.obr" >"$WORK/saved.txt"
diff "$WORK/expected.txt" "$WORK/saved.txt" || fail "the saved rows differ"
echo "every click on the Mini Calc counted once"
