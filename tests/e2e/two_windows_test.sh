# Two Ombrel processes on one file. The first opens shared.obr; the second
# is warned on Open and opens it anyway, adds a row and saves. The first
# then saves over it: it is asked first, as the file changed on disk since
# it opened it, and answering No keeps the second one's rows.
source "$(dirname "$0")/lib.sh"

second_pid=""
trap '[[ -n $second_pid ]] && kill "$second_pid" 2>/dev/null; cleanup' EXIT

# box CAPTION SHOT: waits for a message box, screenshots it, puts its
# height (its text's lines: the X server does not give the text) into
# $box_height and leaves it focused.
box() {
  local id
  id=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -1) || fail "no $1 box ($2)"
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  sleep 0.5
  screenshot "$2"
  eval "$(xdotool getwindowgeometry --shell "$id")"
  box_height=$HEIGHT
}

# dialog_name TITLE FILE: types FILE into the file dialog of that title.
dialog_name() {
  local id
  id=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1" | head -1) || fail "no $1 dialog"
  xdotool windowfocus --sync "$id" 2>/dev/null || true
  sleep 0.5
  xdotool key ctrl+a
  type_keys "$2"
  xdotool key Return
}

row() { printf '%s + %s = %s   \r\n' "$@"; }
{
  printf 'OmbrelSheet\r\n1\r\n'
  printf 'NonDropFrame Timecode\r\n'; row 01:00:00:00 00:30:00:00 01:30:00:00; printf '\r\n'
  printf 'DropFrame Timecode\r\n'; row "01;00;00;00" "00;30;00;00" "01;30;00;00"; printf '\r\n'
  printf 'PAL Timecode\r\n'; row 01:00:00:00 00:30:00:00 01:30:00:00; printf '\r\n'
  printf 'Film Timecode\r\n'; row 01:00:00:00 00:30:00:00 01:30:00:00; printf '\r\n'
  printf 'User (15fps) Timecode\r\n'; row 01:00:00:00 00:30:00:00 01:30:00:00; printf '\r\n'
  printf 'Frames (30fps)\r\n'; row 108000 54000 162000; printf '\r\n'
} >"$WORK/shared.obr"
SHARED=$WORK/shared.obr

start_x
start_app "$SHARED"
FIRST=$WINDOW
[[ -e $WORK/.shared.obr.lock ]] || fail "the first window did not lock the file"

"$OMBREL" >"$OUTPUT/ombrel-second.log" 2>&1 &
second_pid=$!
SECOND=$(timeout 20 xdotool search --sync --all --onlyvisible --pid "$second_pid" --name '^Ombrel$' | head -1) || fail "no second window"
# Side by side, as a user puts them.
xdotool windowmove --sync "$SECOND" 560 100
xdotool windowraise "$SECOND"
xdotool windowfocus --sync "$SECOND"
sleep 0.5
xdotool key ctrl+o
dialog_name "Open Ombrel File" "$SHARED"
box Warning warned-on-open
xdotool key alt+y
sleep 0.5

# The second window adds a row and saves over the file it opened.
xdotool windowraise "$SECOND"
xdotool windowfocus --sync "$SECOND"
type_keys "2000000+100"
xdotool key Return
sleep 0.3
xdotool key ctrl+s
dialog_name Save "$SHARED"
box Confirm second-replaces
replace_height=$box_height
xdotool key alt+y
for _ in $(seq 50); do [[ $(calculations_in "$SHARED") == 2 ]] && break; sleep 0.1; done
[[ $(calculations_in "$SHARED") == 2 ]] || fail "the second window did not save its rows"
cp "$SHARED" "$WORK/second.obr"

# The first window adds its own row and saves: asked first, No keeps the file.
xdotool windowfocus --sync "$FIRST"
WINDOW=$FIRST
main_window_origin
xdotool mousemove $(point in-field) click 1
sleep 0.5
type_keys "3000000+100"
xdotool key Return
sleep 0.3
xdotool key ctrl+s
dialog_name Save "$SHARED"
box Confirm first-asked
# Not the two lines of "already exists": the longer changed-on-disk text.
((box_height > replace_height)) || fail "the first window asked the usual question ($box_height <= $replace_height)"
xdotool key alt+n
sleep 0.5
cmp "$WORK/second.obr" "$SHARED" || fail "answering No changed the file"
grep -q '^02:00:00:00 + 00:00:01:00' "$SHARED" || fail "the second window's row is gone"
screenshot after-no
echo "warned on Open; a Save over the changed file asked first; No kept the other window's rows"
