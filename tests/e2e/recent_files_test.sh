# A saved file is on File > Open Recent after a restart; chosen there with
# the keys, it opens, and saved again it gives the same bytes.
source "$(dirname "$0")/lib.sh"

start_x
start_app
type_keys "1000000+300000"
xdotool key Return
sleep 0.3
mkdir -p "$WORK/films"
save_as "$WORK/films/first.obr"
xdotool windowfocus --sync "$WINDOW"
xdotool key ctrl+q
wait_for_exit

start_app
xdotool key alt+f
sleep 0.5
xdotool key t
sleep 0.5
screenshot recent-files-menu
xdotool key 1
sleep 1
screenshot opened-from-recent-files
save_as "$WORK/films/second.obr"
cmp "$WORK/films/first.obr" "$WORK/films/second.obr" || fail "the file chosen from the recent files did not open"
echo "saved, restarted, opened from File > Open Recent and saved again unchanged"
