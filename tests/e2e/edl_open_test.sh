# Edit decision lists opened through the real Open dialog on the PAL tab,
# each saved as a calculation file: every saved row is the event as
# ombrel-calc --edl reads it (record out - record in = duration, clip name),
# and the saved list's total is the cut's.
source "$(dirname "$0")/lib.sh"
CALC=$3

# The PAL tab is shown at start.
mkdir -p "$XDG_CONFIG_HOME/Brontel"
printf '[StartWith]\nStartCombo=2\nVer110=1\n' >"$XDG_CONFIG_HOME/Brontel/Ombrel.conf"

# Cuts, a dissolve, a gap, a clip name with a comma and one in UTF-8.
printf '%s\r\n' "TITLE: e2e cut" "FCM: NON-DROP FRAME" \
  "001  A001     V     C        01:00:00:00 01:00:04:12 00:00:00:00 00:00:04:12" \
  "* FROM CLIP NAME:  take one, wide" \
  "002  A002     V     C        02:10:00:00 02:10:00:00 00:00:04:12 00:00:04:12" \
  "002  A003     V     D    012 03:00:01:00 03:00:03:20 00:00:04:12 00:00:07:07" \
  "* FROM CLIP NAME:  take two" \
  "* TO CLIP NAME:  café close" \
  "003  A004     V     C        04:00:00:00 04:01:00:00 00:00:09:00 00:01:09:00" \
  "* FROM CLIP NAME:  after the gap" >"$WORK/cut.edl"
lists=("$WORK/cut.edl")
# A list an editing system wrote, read where it lies.
peer=/work/shared/peer-data/edl/timecode_mismatch.edl
[[ -r $peer ]] && lists+=("$peer")

# open_list FILE: File > Open, the name typed into the real dialog.
open_list() {
  activate "$WINDOW"
  xdotool key ctrl+o
  local dialog
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Open Ombrel File$' | head -1) ||
    fail "no open dialog"
  activate "$dialog" 2>/dev/null || true
  sleep 0.5
  xdotool key ctrl+a
  type_keys "$1"
  xdotool key Return
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^Open Ombrel File$' >/dev/null || break; sleep 0.1; done
  sleep 0.5
}

start_x
start_app
for list in "${lists[@]}"; do
  name=$(basename "$list" .edl)
  open_list "$list"
  screenshot "opened-$name"
  save_as "$WORK/$name.obr"
  "$CALC" --sheet "$WORK/$name.obr" --format pal >"$WORK/$name-sheet.csv" || fail "ombrel-calc refused the saved $name"
  "$CALC" --edl "$list" --rate 25 >"$WORK/$name-edl.csv" || fail "ombrel-calc refused $list"
  python3 - "$WORK/$name-sheet.csv" "$WORK/$name-edl.csv" <<'PY' || fail "the saved rows of $name are not its events"
import csv, sys
sheet = list(csv.DictReader(open(sys.argv[1], encoding="utf-8")))
events = list(csv.DictReader(open(sys.argv[2], encoding="utf-8")))
if len(sheet) != len(events):
    sys.exit(f"{len(sheet)} rows for {len(events)} events")
for row, event in zip(sheet, events):
    saved = (row["in"], row["op"], row["out"], row["duration"], row["description"])
    read = (event["record out"], "-", event["record in"], event["duration"], event["clip"])
    if saved != read:
        sys.exit(f"event {event['event']}: saved {saved}, read {read}")
PY
  sheet_total=$("$CALC" --sheet "$WORK/$name.obr" --format pal --sum)
  cut_total=$("$CALC" --edl "$list" --rate 25 --sum 2>/dev/null)
  [[ $sheet_total == "$cut_total" ]] || fail "$name: the saved rows add up to $sheet_total, the cut to $cut_total"
  echo "$name: $(($(wc -l <"$WORK/$name-edl.csv") - 1)) events agree, total $cut_total"
done
