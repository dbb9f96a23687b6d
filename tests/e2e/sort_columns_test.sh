# Sorting and column widths with the real mouse: Ctrl+T, a click on the In
# header sorts the rows (equal keys in the order the sort's exchanges give),
# the keyboard stays in the In field and the saved file shows the new
# order; a dragged divider widens the column
# in every list, and the widths are stored when the drag ends.
source "$(dirname "$0")/lib.sh"

# The rows of a calculation file, In, Out and Duration seconds; the Frames
# list holds the same as counts at 30.
row_of() {
  local in=$1 out=$2 sum=$(($1 + $2)) separator=$3
  if [[ $separator == frames ]]; then
    printf '%d + %d = %d   \r\n' $((in * 30)) $((out * 30)) $((sum * 30))
  else
    printf '00%s00%s%02d%s00 + 00%s00%s%02d%s00 = 00%s00%s%02d%s00   \r\n' \
      "$separator" "$separator" "$in" "$separator" "$separator" "$separator" "$out" "$separator" \
      "$separator" "$separator" "$sum" "$separator"
  fi
}
# calculation_file IN:OUT ...: the whole file, rows in the order given.
calculation_file() {
  printf 'OmbrelSheet\r\n%d\r\n' $#
  local title separator pair
  for title in "NonDropFrame Timecode:" "DropFrame Timecode;" "PAL Timecode:" "Film Timecode:" \
    "User (15fps) Timecode:" "Frames (30fps)frames"; do
    case $title in
      *frames) separator=frames title=${title%frames} ;;
      *) separator=${title: -1} title=${title%?} ;;
    esac
    printf '%s\r\n' "$title"
    for pair in "$@"; do row_of "${pair%:*}" "${pair#*:}" "$separator"; done
    printf '\r\n'
  done
}

start_x
calculation_file 3:1 1:1 2:1 1:2 >"$WORK/unsorted.obr"
start_app "$WORK/unsorted.obr"
main_window_origin
narrow=$WIDTH
screenshot unsorted

xdotool key ctrl+t
sleep 0.3
read -r x y < <(point in-header)
xdotool mousemove "$x" "$y" click 1
sleep 0.5
screenshot sorted
# The click left the keyboard in the In field.
type_keys "2000000"
xdotool key ctrl+c
sleep 0.3
[[ $(xclip -o -selection clipboard 2>/dev/null) == 02:00:00:00 ]] || fail "after the sort, typing did not reach the In field"
save_as "$WORK/sorted.obr"
# By In: 1 (the fourth row, then the second), 2, 3.
calculation_file 1:2 1:1 2:1 3:1 >"$WORK/expected.obr"
cmp "$WORK/expected.obr" "$WORK/sorted.obr" || fail "the saved rows are not in the sorted order"

# The In divider dragged 300 pixels to the right stops at a column of 196.
read -r x y < <(point in-divider)
drag "$x" "$y" $((x + 300)) "$y"
screenshot widened
grep -q '^1A=196' "$XDG_CONFIG_HOME/Brontel/Ombrel.conf" || fail "the widths were not stored when the drag ended"
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
((WIDTH > narrow)) || fail "the window did not widen ($narrow -> $WIDTH)"

xdotool key ctrl+q
wait_for_exit
echo "sorted by a header click, saved in order; In column dragged to 196, window $narrow -> $WIDTH"
