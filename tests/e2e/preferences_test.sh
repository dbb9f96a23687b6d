# A preference changed through the real dialog is stored and applied again
# at the next start.
source "$(dirname "$0")/lib.sh"
start_x
start_app
narrow=$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')

# File > Preferences..., then tick "View Descriptions" and press OK.
xdotool key alt+f
sleep 0.3
xdotool key f
dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Preferences$' | head -1) || fail "no Preferences dialog"
sleep 0.5
screenshot preferences
for _ in 1 2 3 4 5; do xdotool key Tab; done
xdotool key space
sleep 0.2
xdotool key Return
sleep 0.5
grep -q '^Descriptions=1' "$XDG_CONFIG_HOME/Brontel/Ombrel.conf" || fail "the choice was not stored"

activate "$WINDOW"
xdotool key ctrl+q
wait_for_exit
start_app
wide=$(xdotool getwindowgeometry "$WINDOW" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p')
screenshot preferences-applied
(( wide > narrow )) || fail "descriptions not shown after restart ($narrow -> $wide)"
echo "window $narrow wide before, $wide after restart"
