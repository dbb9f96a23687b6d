# The Mini Calc on a first run, with no place stored, opens beside the main
# window under a real window manager, covering none of it (its menu bar
# included); hidden and shown again, it stays where the user moved it.
source "$(dirname "$0")/lib.sh"
start_x
start_app

# frame WINDOW: the window's left, top, right and bottom edges on the screen,
# the window manager's frame included.
frame() {
  local info x y w h
  info=$(xwininfo -frame -id "$1")
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  w=$(sed -n 's/.*Width: *//p' <<<"$info")
  h=$(sed -n 's/.*Height: *//p' <<<"$info")
  echo "$x $y $((x + w)) $((y + h))"
}

xdotool key ctrl+m
MINI=$(timeout 10 xdotool search --sync --onlyvisible --name '^Mini Calc$' | head -1) || fail "Ctrl+M showed no Mini Calc"
sleep 1
screenshot first-run
read -r left top right bottom < <(frame "$WINDOW")
read -r mini_left mini_top mini_right mini_bottom < <(frame "$MINI")
if ((mini_left < right && left < mini_right && mini_top < bottom && top < mini_bottom)); then
  fail "the Mini Calc ($mini_left,$mini_top)-($mini_right,$mini_bottom) covers the main window ($left,$top)-($right,$bottom)"
fi
((mini_left >= right && mini_right <= 1024)) || fail "the Mini Calc is not right of the main window, where it fits"

# Moved, hidden and shown again, it keeps its new place.
xdotool windowmove "$MINI" 600 420
sleep 0.5
read -r moved_left moved_top _ < <(frame "$MINI")
activate "$MINI"
xdotool key ctrl+m
sleep 0.5
activate "$WINDOW"
xdotool key ctrl+m
MINI=$(timeout 10 xdotool search --sync --onlyvisible --name '^Mini Calc$' | head -1) || fail "Ctrl+M showed no Mini Calc again"
sleep 1
read -r again_left again_top _ < <(frame "$MINI")
[[ "$again_left $again_top" == "$moved_left $moved_top" ]] ||
  fail "the Mini Calc came back at $again_left,$again_top, not where it was left ($moved_left,$moved_top)"
echo "the first Mini Calc opens beside the main window and comes back where it was left"
