# The clipboard and drag and drop with the real mouse: a right click copies
# a cell, a Duration cell dragged onto the In field fills it, a row dragged
# onto the trash goes, and text another program copied pastes with Ctrl+V.
source "$(dirname "$0")/lib.sh"

# Window-relative points of the NonDrop list's cells and of the controls.
read -r win_x win_y < <(true)
point() { echo $((win_x + $1)) $((win_y + $2)); }
row_y() { echo $((91 + 16 * $1)); }
duration_cell() { point 235 "$(row_y "$1")"; }

clipboard() { xclip -o -selection clipboard; }
copy_from() { # copies the text of the focused field
  xdotool key ctrl+c
  sleep 0.3
}

# drag x1 y1 x2 y2: a left press, a move in steps, a release.
drag() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $(($1 + ($3 - $1) * step / 8)) $(($2 + ($4 - $2) * step / 8))
    sleep 0.1
  done
  sleep 0.3
  xdotool mouseup 1
  sleep 0.4
}

start_x
start_app
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
win_x=$X win_y=$Y
type_keys "1000000+300000"
xdotool key Return
type_keys "2000000+100000"
xdotool key Return
sleep 0.3
screenshot two-calculations
