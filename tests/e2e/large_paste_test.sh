# A paste from a clipboard of 100 MB that another program owns, with the
# real keyboard: Ctrl+V in a description editor and in the In field takes
# the start the target holds and says in the status bar that the rest was
# left out, and Ombrel reads no more of the text than that: its peak memory
# grows by far less than the text.
if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} || -z ${OMBREL_A11Y_SESSION:-} ]]; then
  OMBREL_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
start_accessibility_bus
start_x
start_app
type_keys "1220+100"
xdotool key Return
sleep 0.5
main_window_origin

readonly TEXT_BYTES=100000000
{
  printf '01:02:03:04'
  head -c $((TEXT_BYTES - 11)) /dev/zero | tr '\0' r
} >"$WORK/large.txt"
# xclip offers the text as UTF8_STRING and hands it over in parts (INCR).
xclip -quiet -selection clipboard -i "$WORK/large.txt" >/dev/null 2>&1 &
owner=$!
trap 'kill $owner 2>/dev/null || true; kill $bus_pid 2>/dev/null || true; cleanup' EXIT
sleep 0.5

# peak: Ombrel's peak resident memory so far, in KiB.
peak() {
  awk '/^VmHWM:/ { print $2 }' "/proc/$app_pid/status"
}
# status_says TEXT: the status bar's first panel shows TEXT, as a screen reader reads it.
status_says() {
  /usr/bin/python3 "$TREE" check Ombrel "label=$1" >"$OUTPUT/large-paste-status.txt" 2>&1 ||
    fail "after $2 the status bar does not say '$1' ($(grep -o "label] name='[^']*'" "$OUTPUT/large-paste-status.txt" | head -3 | paste -sd ' '))"
}
started=$(peak)

# The pencil opens the editor on the last description.
read -r x y < <(point edit-button)
xdotool mousemove "$x" "$y" click 1
sleep 0.5
xdotool key ctrl+v
sleep 1
screenshot large-paste-description
status_says "Only the first 32767 characters of the clipboard text were pasted" "Ctrl+V in the description editor"
xdotool key Return
sleep 0.3
xdotool mousemove "$x" "$y" click 1
sleep 0.3

read -r x y < <(point in-field)
xdotool mousemove "$x" "$y" click 1
# Away from the field, whose hover text would cover the status bar.
xdotool mousemove 900 700
sleep 0.3
xdotool key ctrl+v
sleep 1
screenshot large-paste-in-field
status_says "Only the first 11 characters of the clipboard text were pasted" "Ctrl+V in the In field"
grown=$(($(peak) - started))
((grown < TEXT_BYTES / 1024 / 10)) ||
  fail "pasting from a text of $((TEXT_BYTES / 1000000)) MB raised Ombrel's peak memory by $((grown / 1024)) MiB"

# What the two fields took.
kill "$owner"
xclip -i -selection clipboard </dev/null >/dev/null 2>&1
activate "$WINDOW"
xdotool mousemove "$x" "$y" click 1
xdotool key ctrl+c
sleep 0.3
[[ $(xclip -o -selection clipboard) == 01:02:03:04 ]] ||
  fail "Ctrl+V put '$(xclip -o -selection clipboard)' in the In field"
save_as "$WORK/pasted.obr"
description=$(grep -ao '01:02:03:04r*' "$WORK/pasted.obr" | head -1)
[[ ${#description} == 32767 ]] || fail "the description took ${#description} characters, not 32767"
echo "100 MB on the clipboard: the description and the In field took their starts, Ombrel's peak grew by $((grown / 1024)) MiB"
