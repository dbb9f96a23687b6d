# A timecode stored with Shift+F5 survives a restart and F5 loads it into
# the Out field; the settings file shows what each key holds.
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
# An operator moves on to the Out field.
type_keys "+"
xdotool key F5
sleep 0.3
screenshot loaded-into-out
# What the Out field now holds, stored in another key.
xdotool key shift+F6
sleep 0.3
[[ $(stored F6) == "01:00:00:00" ]] || fail "F5 loaded '$(stored F6)' into the Out field"
[[ $(stored GF1) == "00:00:00:00" ]] || fail "key 1 holds '$(stored GF1)'"
echo "stored with Shift+F5, restarted, loaded with F5 into the Out field"
