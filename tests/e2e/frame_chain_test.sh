# Frame mode typed on the real keyboard: a chain whose results have 18
# digits keeps every digit in the fields, the lists and the saved file.
source "$(dirname "$0")/lib.sh"
start_x
start_app
xdotool key ctrl+z
type_keys "999999999*999999999+1"
xdotool key Return
sleep 0.3
screenshot frame-chain
save_as "$WORK/chain.obr"

# A count as 30 fps timecode on the 24-hour clock.
tc() {
  local c=$(($1 % 2592000))
  printf '%02d:%02d:%02d:%02d' $((c / 108000)) $((c / 1800 % 60)) $((c / 30 % 60)) $((c % 30))
}
first=999999998000000001
{
  printf 'NonDropFrame Timecode\r\n'
  printf '%s x %s = %s   \r\n' "$(tc 999999999)" "$(tc 999999999)" "$(tc $first)"
  printf '%s + %s = %s   \r\n' "$(tc $first)" "$(tc 1)" "$(tc $((first % 2592000 + 1)))"
  printf 'Frames (30fps)\r\n'
  printf '999999999 x 999999999 = %s   \r\n' $first
  printf '%s + 1 = %s   \r\n' $first $((first + 1))
} >"$WORK/expected.txt"
grep -a --no-group-separator -A2 -e '^NonDropFrame Timecode' -e '^Frames (30fps)' "$WORK/chain.obr" >"$WORK/saved.txt"
diff "$WORK/expected.txt" "$WORK/saved.txt" || fail "the saved chain differs"
echo "the chain kept its 18-digit results"
