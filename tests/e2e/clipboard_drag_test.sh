# The clipboard and drag and drop with the real mouse and keyboard: a file
# another program drags in opens, a list cell dropped on a field fills the
# fields whose rule takes it and leaves the others alone, a right click
# copies a cell, the row pressed on goes to the trash, and text another
# program put on the clipboard pastes with Ctrl+V.
source "$(dirname "$0")/lib.sh"
OTHER_CLIENT=$3

clipboard() { xclip -o -selection clipboard 2>/dev/null || true; }

# copy_in: Ctrl+C with the focus in the In field, then what the clipboard holds.
copy_in() {
  xdotool key ctrl+c
  sleep 0.3
  clipboard
}

# The work another program hands over: three calculations.
{
  printf 'OmbrelSheet\r\n3\r\n'
  for title in "NonDropFrame Timecode" "DropFrame Timecode" "PAL Timecode" "Film Timecode" "User (15fps) Timecode"; do
    separator=":"
    [[ $title == DropFrame* ]] && separator=";"
    printf '%s\r\n' "$title"
    printf '01:00:00:00 + 00:30:00:00 = 01:30:00:00   \r\n02:00:00:00 + 00:10:00:00 = 02:10:00:00   \r\n' |
      tr : "$separator"
    printf '03:00:00:00 + 00:10:00:00 = 03:10:00:00   \r\n\r\n' | tr : "$separator"
  done
  printf 'Frames (30fps)\r\n108000 + 54000 = 162000   \r\n216000 + 18000 = 234000   \r\n'
  printf '324000 + 18000 = 342000   \r\n\r\n'
} >"$WORK/handed.obr"

start_x
start_app
main_window_origin
# The Mini Calc, out of the way of the lists.
xdotool key ctrl+m
MINI=$(timeout 10 xdotool search --sync --onlyvisible --name '^Mini Calc$' | head -1) || fail "Ctrl+M showed no Mini Calc"
xdotool windowmove --sync "$MINI" 600 150
readonly MINI_DISPLAY="80 16"

# read_value WHAT: the text of a field (a point name, or mini-display) as
# Ctrl+C copies it, or of the Duration cell of row N (cell:N) as a right
# click copies it; empty when nothing was copied.
read_value() {
  local x y
  # Emptied first, so a copy that did not happen cannot pass for one.
  xclip -i -selection clipboard </dev/null >/dev/null 2>&1
  case $1 in
    cell:*)
      activate "$WINDOW"
      read -r x y < <(point duration-cell "${1#cell:}")
      xdotool mousemove "$x" "$y" click 3
      ;;
    mini-display)
      activate "$MINI"
      xdotool mousemove --window "$MINI" $MINI_DISPLAY click 1
      ;;
    *)
      activate "$WINDOW"
      read -r x y < <(point "$1")
      xdotool mousemove "$x" "$y" click 1
      ;;
  esac
  sleep 0.3
  [[ $1 == cell:* ]] || xdotool key ctrl+c
  sleep 0.3
  clipboard
}

# corner WINDOW: the top-left corner of the window's client area on the screen.
corner() {
  xwininfo -id "$1" | sed -n 's/.*Absolute upper-left [XY]: *//p' | paste -sd ' '
}

frame_mode=no
# frame_mode yes|no: Ctrl+Z switches frame mode when it is not as asked.
frame_mode() {
  [[ $1 == "$frame_mode" ]] && return
  activate "$WINDOW"
  xdotool key ctrl+z
  sleep 0.3
  frame_mode=$1
}

# show_list LIST: shows the list's tab (nondrop or frames), which also
# brings the entry fields into its form.
show_list() {
  local x y
  activate "$WINDOW"
  read -r x y < <(point "$1-tab")
  xdotool mousemove "$x" "$y" click 1
  sleep 0.3
}

# drop SOURCE TARGET SHOT: drags from the shown list's Duration cell
# (LIST:ROW) or from another program (file: the work above, text: a
# timecode as plain text) and lets go over the target.
drop() {
  local x y to_x to_y other=""
  if [[ $2 == mini-display ]]; then
    read -r x y < <(corner "$MINI")
    read -r to_x to_y <<<"$((x + ${MINI_DISPLAY% *})) $((y + ${MINI_DISPLAY#* }))"
  else
    read -r to_x to_y < <(point "$2")
  fi
  case $1 in
    file | text)
      local payload="$WORK/handed.obr"
      [[ $1 == text ]] && payload="05:06:07:08"
      "$OTHER_CLIENT" "--drag-$1" "$payload" &
      other=$!
      local window
      window=$(timeout 10 xdotool search --sync --onlyvisible --name '^Other client$' | head -1) ||
        fail "the other program showed no window"
      read -r x y < <(corner "$window")
      x=$((x + 40)) y=$((y + 30))
      ;;
    *) read -r x y < <(point duration-cell "${1#*:}") ;;
  esac
  drag "$x" "$y" "$to_x" "$to_y" "$3"
  if [[ -n $other ]]; then
    kill "$other"
    wait "$other" 2>/dev/null || true
  fi
}

# SOURCE (list:row or another program), TARGET, the field or cell then READ,
# and the text EXPECTED there ("unchanged" for a drop the target refuses).
# Frame mode is on exactly for the frame fields.
cases=(
  "file        in-field      cell:2        03:10:00:00" # opens, whatever field it lands on
  "text        in-field      in-field      unchanged"   # only drags from the lists fill fields
  "nondrop:0   in-field      in-field      01:30:00:00"
  "nondrop:1   out-field     out-field     02:10:00:00"
  "nondrop:2   mini-display  mini-display  03:10:00:00"
  "frames:0    in-field      in-field      unchanged"   # a count is no timecode
  "frames:1    frame-in      frame-in      234000"
  "frames:2    frame-out     frame-out     342000"
  "nondrop:0   frame-in      frame-in      unchanged"   # a timecode is no count
)
for entry in "${cases[@]}"; do
  read -r source target field expected <<<"$entry"
  if [[ $target == frame-* ]]; then frame_mode yes; else frame_mode no; fi
  [[ $source == *:* ]] && show_list "${source%:*}"
  before=$(read_value "$field")
  if [[ $expected == unchanged ]]; then
    [[ -n $before ]] || fail "nothing copied from $field"
    expected=$before
  elif [[ $before == "$expected" ]]; then
    fail "$field holds '$expected' before $source is dropped on $target: the case shows nothing"
  fi
  shot="${source/:/-row-}-on-$target"
  drop "$source" "$target" "dropping-$shot"
  after=$(read_value "$field")
  [[ $after == "$expected" ]] || fail "$source dropped on $target: $field holds '$after', not '$expected'"
  screenshot "dropped-$shot"
done
frame_mode no
show_list nondrop

# A right click copies the cell under the pointer.
read -r x y < <(point duration-cell 1)
xdotool mousemove "$x" "$y" click 3
sleep 0.3
[[ $(clipboard) == 02:10:00:00 ]] || fail "a right click on a Duration cell copied '$(clipboard)'"

# Pressed near the bottom edge of row 0 and moved down across row 1: the
# trash deletes row 0, the row the button went down on.
read -r x y < <(point duration-cell 0)
read -r to_x to_y < <(point trash)
drag "$x" $((y + 6)) "$to_x" "$to_y" trash-open
read -r x y < <(point duration-cell 0)
xdotool mousemove "$x" "$y" click 3
sleep 0.3
[[ $(clipboard) == 02:10:00:00 ]] || fail "after the trash, row 0 holds '$(clipboard)'"
read -r x y < <(point duration-cell 1)
xdotool mousemove "$x" "$y" click 3
sleep 0.3
[[ $(clipboard) == 03:10:00:00 ]] || fail "after the trash, row 1 holds '$(clipboard)'"
screenshot row-deleted

# Text another program copied: the first line, in the active tab's form.
printf '04;05;06;07\nsecond line' | xclip -i -selection clipboard
sleep 0.3
read -r x y < <(point in-field)
xdotool mousemove "$x" "$y" click 1
sleep 0.3
xdotool key ctrl+v
sleep 0.3
[[ $(copy_in) == 04:05:06:07 ]] || fail "Ctrl+V pasted '$(clipboard)'"
screenshot pasted
echo "a dropped file opened, ${#cases[@]} drops filled or spared their fields, right click copied, the trash deleted the pressed row, Ctrl+V pasted"
