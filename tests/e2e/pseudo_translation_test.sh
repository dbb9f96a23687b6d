# Ombrel in a longer language: the pseudo-translation (every text about 40%
# longer, every letter accented; built beside the program) is loaded for
# the user's language, and the main window, the Mini Calc and every dialog
# show it. Their texts are read through the AT-SPI bus: any text still in
# English never went through the translator. A screenshot of each window
# is kept for the eye; that nothing is cut is checked by the
# translated_layout test.
READS_ACCESSIBILITY=1
source "$(dirname "$0")/lib.sh"
PSEUDO=$(dirname "$0")/../../scripts/pseudo_translate.py
[[ -f $(dirname "$OMBREL")/translations/ombrel_en_XA.qm ]] || fail "the pseudo-translation was not built beside $OMBREL"
export LANGUAGE=en_XA LANG=C.UTF-8 LC_ALL=C.UTF-8
start_x
start_app

# accented TEXT: how the pseudo-translation of TEXT starts (its letters
# accented, before the added length).
accented() {
  /usr/bin/python3 -c 'import sys; sys.path.insert(0, sys.argv[1]); import pseudo_translate as p; print(p.accent(sys.argv[2]))' \
    "$(dirname "$PSEUDO")" "$1"
}
# Texts that are the same in every language: names, numbers, keys.
english=('Ombrel' 'F[0-9]+' 'User-[0-9]+' 'Frames-[0-9]+' '.*@.*' 'ombrel\.example' '© Brontel' '[0-9 ]+%?' 'x'
         'Version [0-9.]+')
faults=0
translated() {
  local title=$1 file=$2
  /usr/bin/python3 "$TREE" translated "$title" "${english[@]}" 2>"$OUTPUT/pseudo-$file.faults" || {
    cat "$OUTPUT/pseudo-$file.faults" >&2
    faults=1
  }
}
# open KEYS TITLE FILE: opens a window with KEYS, waits for its translated
# caption (starting with TITLE accented), keeps a screenshot, checks its texts and closes it with Escape.
open() {
  activate "$WINDOW" 2>/dev/null || true
  xdotool key --delay 300 $1
  local title shown
  title=$(accented "$2")
  shown=$(timeout 10 xdotool search --sync --onlyvisible --name "^$title" | head -1) ||
    fail "$1 showed no window named '$title'"
  sleep 0.7
  screenshot "pseudo-$3"
  translated "^$title.*" "$3"
  activate "$shown" 2>/dev/null || true
  xdotool key Escape
  sleep 0.5
}

type_keys "1000+500"
xdotool key Return
sleep 0.5
screenshot pseudo-main
translated Ombrel main
# The File menu, opened by its shortcut letter, which keeps its place.
activate "$WINDOW"
xdotool key alt+f
sleep 0.7
screenshot pseudo-file-menu
xdotool key Escape Escape
sleep 0.3

open ctrl+m "Mini Calc" mini-calc
open ctrl+f "Find" find
open ctrl+e "Export" export
open ctrl+p "Print" print
open "alt+f v" "Preview" preview
open "alt+f f" "Preferences" preferences
open "alt+h c" "Ombrel Help" help
open "alt+h a" "About Ombrel" about
# A message box: Clear asks first.
activate "$WINDOW"
xdotool key ctrl+n
question=$(timeout 10 xdotool search --sync --onlyvisible --name "^$(accented Confirm)" | head -1) ||
  fail "New asked nothing in the pseudo-translation"
sleep 0.7
screenshot pseudo-confirm
translated "^$(accented Confirm).*" confirm
activate "$question" 2>/dev/null || true
xdotool key Escape
((faults == 0)) || fail "texts not translated (above)"
echo "every window shows the pseudo-translation"
