# Switching to another program and back leaves the focus in the field the
# user was typing in; closing a window of Ombrel's own (the About box) puts
# it back into the first field.
source "$(dirname "$0")/lib.sh"
OTHER_CLIENT=$3
other_pid=""
trap '[[ -n $other_pid ]] && kill "$other_pid" 2>/dev/null; cleanup' EXIT
start_x
start_app

# In 12 frames, "+", and the first digit of the Out operand.
type_keys "12+1"
"$OTHER_CLIENT" >/dev/null 2>&1 &
other_pid=$!
other=$(timeout 20 xdotool search --sync --onlyvisible --name '^Other client$' | head -1) || fail "the other client did not map"
activate "$other"
type_keys "typed elsewhere"
sleep 0.3
screenshot activation-away
activate "$WINDOW"
sleep 0.3
# The Out operand goes on: 00:00:00:10.
type_keys "0"
xdotool key Return
sleep 0.3
screenshot activation-back

xdotool key alt+h
sleep 0.3
xdotool key a
timeout 10 xdotool search --sync --onlyvisible --name '^About Ombrel$' >/dev/null || fail "no About box"
sleep 0.3
xdotool key Escape
sleep 0.5
# Back in the first field: 2 + 3.
type_keys "2+3"
xdotool key Return
sleep 0.3
screenshot activation-after-about
save_as "$WORK/focus.obr"

printf 'NonDropFrame Timecode\r\n00:00:00:12 + 00:00:00:10 = 00:00:00:22   \r\n00:00:00:02 + 00:00:00:03 = 00:00:00:05   \r\n' >"$WORK/expected.txt"
grep -a -A2 '^NonDropFrame Timecode' "$WORK/focus.obr" >"$WORK/saved.txt"
diff "$WORK/expected.txt" "$WORK/saved.txt" || fail "the focus moved while the user was away"
echo "focus kept across another program, back in the first field after the About box"
