# A list of 120 calculations, opened from the command line, is previewed
# (a page turned with the mouse), printed to a PDF file through the real
# print dialog and Qt's printer dialog (whole, then another format's one
# page), and exported through the real file dialog. The PDF's pages become
# pictures, kept with the screenshots.
source "$(dirname "$0")/lib.sh"

timecode() { printf '%02d%s%02d%s%02d%s00' $(($1 / 3600)) "$2" $(($1 / 60 % 60)) "$2" $(($1 % 60)) "$2"; }
rows=120
{
  printf 'OmbrelSheet\r\n%d\r\n' $rows
  for title in "NonDropFrame Timecode" "DropFrame Timecode" "PAL Timecode" "Film Timecode" \
    "User (15fps) Timecode" "Frames (30fps)"; do
    printf '%s\r\n' "$title"
    sep=":"; [[ $title == DropFrame* ]] && sep=";"
    for ((r = 0; r < rows; ++r)); do
      description=""
      ((r % 4 == 0)) && description="Scene $((r / 3)) take $((r % 3 + 1))"
      ((r == 5)) && description="A long description of this shot that goes on about the lighting, the actors, the weather and the day"
      if [[ $title == Frames* ]]; then
        printf '%d + 300 = %d  %s \r\n' $((r * 30)) $((r * 30 + 300)) "$description"
      else
        printf '%s + %s = %s  %s \r\n' "$(timecode $r "$sep")" "$(timecode 10 "$sep")" "$(timecode $((r + 10)) "$sep")" \
          "$description"
      fi
    done
    printf '\r\n'
  done
} >"$WORK/many.obr"

wait_for_window() { timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -1; }
# press_in_main_window KEYS...: the keys typed into the main window.
press_in_main_window() {
  activate "$WINDOW"
  sleep 0.5
  xdotool key "$@"
}
# focus_dialog TITLE NAME: waits for the dialog, gives it the keyboard and
# keeps a screenshot called NAME.
focus_dialog() {
  local dialog
  dialog=$(wait_for_window "$1") || { screenshot "no-$2"; fail "no $2"; }
  activate "$dialog" 2>/dev/null || true
  sleep 0.5
  screenshot "$2"
}

start_x
start_app "$WORK/many.obr"

# File > Print Preview: three pages; the Next button turns to the second.
xdotool key alt+f
sleep 0.3
xdotool key v
preview=$(wait_for_window '^Preview  -  30 fps Non-Drop Frame  -  Page 1 of 3') || fail "no preview of 3 pages"
sleep 0.5
screenshot preview-page-1
# Next Page: after a gap of 8 and three zoom buttons of 25, a gap of 30 and two page buttons.
xdotool mousemove --window "$preview" 177 15 click 1
sleep 0.5
[[ $(xdotool getwindowname "$preview") == *"Page 2 of 3"* ]] || fail "Next did not turn to page 2"
screenshot preview-page-2
xdotool key Escape
sleep 0.3
xdotool search --onlyvisible --name '^Preview' >/dev/null && fail "Escape left the preview open"

# File > Print...: with no printer, Print asks for one; Qt's dialog writes PDF.
press_in_main_window ctrl+p
focus_dialog '^Print\.\.\.' print-dialog
xdotool key Return
focus_dialog '^Printer Setup' printer-setup
xdotool key alt+f ctrl+a
type_keys "$WORK/report.pdf"
xdotool key Return
for _ in $(seq 50); do [[ -s $WORK/report.pdf ]] && break; sleep 0.1; done
[[ -s $WORK/report.pdf ]] || fail "nothing printed to $WORK/report.pdf"
cp "$WORK/report.pdf" "$OUTPUT/printed.pdf"
pages=$(pdfinfo "$WORK/report.pdf" | sed -n 's/^Pages: *//p')
[[ $pages == 3 ]] || fail "the report has $pages pages, not 3"
# The text in drawing order, blanks run together (the long description
# wraps onto further lines, but whole).
text=$(pdftotext -raw "$WORK/report.pdf" - | tr -s '[:space:]' ' ')
for expected in "Timecode Data" "30 fps Non-Drop Frame" "Page: 3" "Scene 0 take 1" \
  "00:01:59:00 + 00:00:10:00 = 00:02:09:00" "goes on about the lighting, the actors, the weather and the day"; do
  grep -qF -- "$expected" <<<"$text" || fail "the printed pages lack \"$expected\""
done
pdftoppm -png -r 60 "$WORK/report.pdf" "$OUTPUT/printed-page"
grep -q '^Radio=0' "$XDG_CONFIG_HOME/Brontel/Ombrel.conf" || fail "printing stored no print settings"

# The DropFrm list, its second page only: the format chosen with the mouse
# in the Print dialog, the page range in its printer setup. The page holds
# the rows the second page of the whole list held, in drop-frame form.
press_in_main_window ctrl+p
dialog=$(wait_for_window '^Print\.\.\.') || fail "no print dialog"
xdotool mousemove --window "$dialog" 96 71 click 1 # "30 fps drop frame"
sleep 0.3
xdotool key alt+s
focus_dialog '^Printer Setup' printer-setup-range
xdotool key alt+f ctrl+a
type_keys "$WORK/page-2.pdf"
xdotool key alt+o
sleep 0.5
setup=$(wait_for_window '^Printer Setup')
xdotool mousemove --window "$setup" 37 243 click 1 # "Pages from"
sleep 0.3
xdotool key Tab ctrl+a
type_keys 2
xdotool key Tab ctrl+a
type_keys 2
screenshot page-range
xdotool key Return
focus_dialog '^Print\.\.\.' print-dialog-drop-frame
xdotool key Return
for _ in $(seq 50); do [[ -s $WORK/page-2.pdf ]] && break; sleep 0.1; done
[[ -s $WORK/page-2.pdf ]] || fail "nothing printed to $WORK/page-2.pdf"
cp "$WORK/page-2.pdf" "$OUTPUT/printed-page-2.pdf"
pages=$(pdfinfo "$WORK/page-2.pdf" | sed -n 's/^Pages: *//p')
[[ $pages == 1 ]] || fail "pages 2 to 2 printed $pages pages"
# rows_in PDF [PAGE]: the row lines of a page (all pages without one), a
# row a line.
rows_in() {
  pdftotext -raw ${2:+-f "$2" -l "$2"} "$1" - | tr -s ' ' |
    grep -oE '[0-9]{2}[:;][0-9]{2}[:;][0-9]{2}[:;][0-9]{2} \+ [0-9:;]{11} = [0-9:;]{11}' || true
}
expected=$(rows_in "$WORK/report.pdf" 2 | tr : ';')
printed=$(rows_in "$WORK/page-2.pdf")
[[ -n $expected ]] || fail "the whole list's second page shows no rows"
[[ $printed == "$expected" ]] ||
  fail "the second page of the DropFrm list holds $(wc -l <<<"$printed") rows from \"$(head -1 <<<"$printed")\", not $(wc -l <<<"$expected") from \"$(head -1 <<<"$expected")\""
text=$(pdftotext -raw "$WORK/page-2.pdf" - | tr -s '[:space:]' ' ')
for expected in "30 fps Drop Frame" "Page: 2"; do
  grep -qF -- "$expected" <<<"$text" || fail "the printed page lacks \"$expected\""
done
pdftoppm -png -r 60 "$WORK/page-2.pdf" "$OUTPUT/printed-drop-frame-page"

# File > Export...: the list, through the real file dialog.
press_in_main_window ctrl+e
focus_dialog '^Export' export-dialog
xdotool key Return
focus_dialog 'Save' save-dialog
xdotool key ctrl+a
type_keys "$WORK/cut"
xdotool key Return
for _ in $(seq 50); do [[ -s $WORK/cut.txt ]] && break; sleep 0.1; done
[[ -s $WORK/cut.txt ]] || fail "nothing exported to $WORK/cut.txt"
first=$(head -n 1 "$WORK/cut.txt")
[[ $first == $'00:00:00:00 + 00:00:10:00 = 00:00:10:00  Scene 0 take 1 \r' ]] ||
  fail "the export begins \"$first\""
[[ $(grep -c $'\r$' "$WORK/cut.txt") == $rows ]] || fail "the export does not hold $rows lines"
echo "previewed, printed 3 pages to PDF and exported; pictures in $OUTPUT"
