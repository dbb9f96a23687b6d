# A timecode stored with Shift+F5 survives a restart and F5 loads it into
# the Out field; a Duration cell dragged with the mouse onto F7Btn is stored
# in key 7. The settings file shows what each key holds.
source "$(dirname "$0")/lib.sh"

CONF=$XDG_CONFIG_HOME/Brontel/Ombrel.conf
stored() { sed -n "s/^$1=//p" "$CONF"; }

# Window-relative points: the first Duration cell of the NonDrop list and
# the F7 button.
duration_cell_x=235
duration_cell_y=120
f7_x=187
f7_y=59

start_x
start_app
type_keys "1000000"
xdotool key shift+F5
sleep 0.3
[[ $(stored F5) == "01:00:00:00" ]] || fail "Shift+F5 stored '$(stored F5)'"
xdotool key ctrl+q
wait_for_exit

start_app
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
win_x=$X win_y=$Y
# An operator moves on to the Out field.
type_keys "2000000+"
xdotool key F5
sleep 0.3
screenshot loaded-into-out
# What the Out field now holds, stored in another key.
xdotool key shift+F6
sleep 0.3
[[ $(stored F6) == "01:00:00:00" ]] || fail "F5 loaded '$(stored F6)' into the Out field"
[[ $(stored GF1) == "00:00:00:00" ]] || fail "key 1 holds '$(stored GF1)'"

# 02:00:00:00 + 01:00:00:00: the Duration dragged onto F7Btn.
xdotool key Return
sleep 0.3
xdotool mousemove $((win_x + duration_cell_x)) $((win_y + duration_cell_y))
sleep 0.2
xdotool mousedown 1
for step in 1 2 3 4 5 6 7 8; do
  xdotool mousemove $((win_x + duration_cell_x + (f7_x - duration_cell_x) * step / 8)) \
    $((win_y + duration_cell_y + (f7_y - duration_cell_y) * step / 8))
  sleep 0.1
done
sleep 0.3
screenshot dragging-onto-f7
xdotool mouseup 1
sleep 0.5
[[ $(stored F7) == "03:00:00:00" ]] || fail "the Duration dropped on F7Btn stored '$(stored F7)'"
echo "stored with Shift+F5, restarted, loaded with F5 into the Out field; a dragged Duration stored in F7"
