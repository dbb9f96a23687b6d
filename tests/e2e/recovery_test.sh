# Twenty calculations, then kill -9: the next start offers the work back,
# and saving it gives the very bytes a Save of the same twenty rows gives.
source "$(dirname "$0")/lib.sh"

calculate_twenty() {
  for n in $(seq 10 29); do
    type_keys "1000000+${n}0000"
    xdotool key Return
  done
  sleep 0.3
}

start_x
start_app
calculate_twenty
screenshot before-kill
# The journal is on the disk at most a second after the last change.
sleep 1.5
kill -9 "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

start_app
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Confirm$' | head -1) || fail "no recovery offer"
screenshot recovery-offer
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
sleep 0.5
save_as "$WORK/recovered.obr"
[[ $(calculations_in "$WORK/recovered.obr") == 20 ]] || fail "recovered $(calculations_in "$WORK/recovered.obr") calculations"
xdotool windowfocus --sync "$WINDOW"
xdotool key ctrl+q
wait_for_exit
[[ -z $(ls "$XDG_DATA_HOME"/*/*/recovery/*.journal 2>/dev/null) ]] || fail "a journal is left after a clean end"

# The same twenty calculations in a run that saves them.
start_app
xdotool search --onlyvisible --name '^Confirm$' >/dev/null && fail "a saved run offered recovery again"
calculate_twenty
save_as "$WORK/expected.obr"
cmp "$WORK/expected.obr" "$WORK/recovered.obr" || fail "the recovered work saves differently"
echo "twenty calculations killed with -9 came back and saved byte for byte"
