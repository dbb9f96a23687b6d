# A timecode stored with Shift+F5 survives a restart and F5 loads it into
# the Out field; a Duration cell dragged with the mouse onto F7Btn is stored
# in key 7. The settings file shows what each key holds.
source "$(dirname "$0")/lib.sh"

CONF=$XDG_CONFIG_HOME/Brontel/Ombrel.conf
stored() { sed -n "s/^$1=//p" "$CONF"; }

start_x
start_app
type_keys "1000000"
xdotool key shift+F5
sleep 0.3
[[ $(stored F5) == "01:00:00:00" ]] || fail "Shift+F5 stored '$(stored F5)'"
xdotool key ctrl+q
wait_for_exit

start_app
main_window_origin
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
read -r x y < <(point duration-cell 0)
read -r to_x to_y < <(point f7-button)
drag "$x" "$y" "$to_x" "$to_y" dragging-onto-f7
[[ $(stored F7) == "03:00:00:00" ]] || fail "the Duration dropped on F7Btn stored '$(stored F7)'"
echo "stored with Shift+F5, restarted, loaded with F5 into the Out field; a dragged Duration stored in F7"
