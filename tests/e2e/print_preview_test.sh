# The preview opened from the Print dialog is not modal: with it open, the
# Print dialog behind it still takes the keyboard (its Cancel closes it),
# and the main window then takes a calculation while the preview stays open.
source "$(dirname "$0")/lib.sh"
wait_for_window() { timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -1; }
start_x
start_app
type_keys "1220+100"
xdotool key Return
sleep 0.3
xdotool key ctrl+p
dialog=$(wait_for_window '^Print\.\.\.$') || fail "Ctrl+P showed no Print dialog"
activate "$dialog" 2>/dev/null || true
sleep 0.5
xdotool key alt+r
preview=$(wait_for_window '^Preview  -  ') || fail "Preview showed no preview"
sleep 0.5
screenshot preview-over-dialog

# The window manager gives the dialog the keyboard, as a click on it does;
# its Cancel then closes it.
activate "$dialog" 2>/dev/null || true
sleep 0.3
xdotool key alt+c
for _ in $(seq 30); do xdotool search --onlyvisible --name '^Print\.\.\.$' >/dev/null || break; sleep 0.1; done
xdotool search --onlyvisible --name '^Print\.\.\.$' >/dev/null && fail "the Print dialog took no key while the preview was open"
xdotool search --onlyvisible --name '^Preview  -  ' >/dev/null || fail "closing the Print dialog closed the preview"

activate "$WINDOW"
sleep 0.3
type_keys "200+100"
xdotool key Return
sleep 0.5
save_as "$WORK/after.obr"
[[ $(calculations_in "$WORK/after.obr") == 2 ]] || fail "the main window took no calculation beside the preview"
echo "the preview left the Print dialog and the main window usable"
