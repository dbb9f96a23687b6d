# A calculation typed into the real window is saved through the real file
# dialog; started again with that file on the command line, Ombrel saves
# the same bytes.
source "$(dirname "$0")/lib.sh"

start_x
start_app
type_keys "1000000+300000"
xdotool key Return
sleep 0.3
screenshot typed-calculation
save_as "$WORK/first.obr"

row() { printf '%s + %s = %s   \r\n' "$@"; }
{
  printf 'OmbrelSheet\r\n1\r\n'
  printf 'NonDropFrame Timecode\r\n'; row 01:00:00:00 00:30:00:00 01:30:00:00; printf '\r\n'
  printf 'DropFrame Timecode\r\n'; row "01;00;00;00" "00;30;00;00" "01;30;00;00"; printf '\r\n'
  printf 'PAL Timecode\r\n'; row 01:00:00:00 00:30:00:00 01:30:00:00; printf '\r\n'
  printf 'Film Timecode\r\n'; row 01:00:00:00 00:30:00:00 01:30:00:00; printf '\r\n'
  printf 'User (15fps) Timecode\r\n'; row 01:00:00:00 00:30:00:00 01:30:00:00; printf '\r\n'
  printf 'Frames (30fps)\r\n'; row 108000 54000 162000; printf '\r\n'
} >"$WORK/expected.obr"
cmp "$WORK/expected.obr" "$WORK/first.obr" || fail "the saved file differs from the expected one"

activate "$WINDOW"
xdotool key ctrl+q
wait_for_exit

start_app "$WORK/first.obr"
screenshot opened-from-command-line
save_as "$WORK/second.obr"
cmp "$WORK/first.obr" "$WORK/second.obr" || fail "opening and saving again changed the file"
echo "typed, saved, opened from the command line and saved again unchanged"
