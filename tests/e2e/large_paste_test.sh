# A paste from a clipboard of 100 MB that another program owns, with the
# real keyboard and mouse: Paste in the pop-up menu of a description
# editor, Ctrl+V there and in the In field take the start the target holds
# and say in the status bar what was left out; Qt's own fields (Find)
# paste from their pop-up menu and a middle click as before. Ombrel reads no more of the text
# than that: its peak memory grows by far less than the text.
READS_ACCESSIBILITY=1
source "$(dirname "$0")/lib.sh"
start_x
start_app
type_keys "1220+100"
xdotool key Return
sleep 0.5
main_window_origin

readonly TEXT_BYTES=100000000
{
  printf '01:02:03:04'
  head -c $((TEXT_BYTES - 11)) /dev/zero | tr '\0' r
} >"$WORK/large.txt"
# xclip offers the text as UTF8_STRING and hands it over in parts (INCR).
xclip -quiet -selection clipboard -i "$WORK/large.txt" >/dev/null 2>&1 &
owner=$!
stop_at_exit $owner
sleep 0.5

# peak: Ombrel's peak resident memory so far, in KiB.
peak() {
  awk '/^VmHWM:/ { print $2 }' "/proc/$app_pid/status"
}
# status_says TEXT WHAT: the status bar's first panel comes to show TEXT
# after WHAT, as a screen reader reads it.
status_says() {
  for _ in $(seq 20); do
    /usr/bin/python3 "$TREE" check Ombrel "label=$1" >"$OUTPUT/large-paste-status.txt" 2>&1 && return 0
    sleep 0.5
  done
  fail "after $2 the status bar does not say '$1' ($(grep -o "label] name='[^']*'" "$OUTPUT/large-paste-status.txt" | tail -2 | paste -sd ' '))"
}
started=$(peak)
# read_little WHAT: Ombrel's peak memory grew by far less than the text.
read_little() {
  grown=$(($(peak) - started))
  ((grown < TEXT_BYTES / 1024 / 10)) ||
    fail "$1 from a text of $((TEXT_BYTES / 1000000)) MB raised Ombrel's peak memory by $((grown / 1024)) MiB"
}

# The pencil opens the editor on the last description.
read -r x y < <(point edit-button)
xdotool mousemove "$x" "$y" click 1
sleep 0.5
# Paste from the editor's pop-up menu, which must offer it without
# fetching the text, then Ctrl+V into the full editor.
read -r menu_x menu_y < <(point description-cell)
xdotool mousemove "$menu_x" "$menu_y" click 3
sleep 0.5
screenshot large-paste-menu
# Away from the list, whose hover text would cover the status bar.
xdotool mousemove 900 700
xdotool key p
status_says "Only the first 32767 characters of the clipboard text were pasted" "Paste in the description editor's menu"
read_little "the menu and its Paste"
xdotool key ctrl+v
screenshot large-paste-description
status_says "The clipboard text was not pasted: the cell is full" "Ctrl+V in the full description editor"
read_little "Ctrl+V in the description editor"
xdotool key Return
sleep 0.3
xdotool mousemove "$x" "$y" click 1
sleep 0.3

read -r x y < <(point in-field)
xdotool mousemove "$x" "$y" click 1 mousemove 900 700
sleep 0.3
xdotool key ctrl+v
screenshot large-paste-in-field
status_says "Only the first 11 characters of the clipboard text were pasted" "Ctrl+V in the In field"
read_little "Ctrl+V in the In field"
# A field of Qt's own, the Find dialog's: its pop-up menu's Paste, and a
# middle click with a primary selection 100 MB long.
xdotool key ctrl+f
FIND=$(timeout 10 xdotool search --sync --onlyvisible --name '^Find$' | head -1) || fail "Ctrl+F showed no Find dialog"
# The dialog opens with the focus in its field: the menu key opens its menu.
xdotool key Menu
sleep 0.5
screenshot large-paste-find-menu
xdotool key p
sleep 0.5
read_little "Paste in the Find field's pop-up menu"
xclip -quiet -selection primary -i "$WORK/large.txt" >/dev/null 2>&1 &
primary_owner=$!
stop_at_exit $primary_owner
sleep 0.5
xdotool mousemove --window "$FIND" 170 23 click 2
sleep 0.5
screenshot large-paste-find-middle
read_little "a middle click in the Find field"
kill "$primary_owner"
xdotool key Escape
sleep 0.3

# What the two fields took.
kill "$owner"
xclip -i -selection clipboard </dev/null >/dev/null 2>&1
activate "$WINDOW"
xdotool mousemove "$x" "$y" click 1
xdotool key ctrl+c
sleep 0.3
[[ $(xclip -o -selection clipboard) == 01:02:03:04 ]] ||
  fail "Ctrl+V put '$(xclip -o -selection clipboard)' in the In field"
save_as "$WORK/pasted.obr"
description=$(grep -ao '01:02:03:04r*' "$WORK/pasted.obr" | head -1)
[[ ${#description} == 32767 ]] || fail "the description took ${#description} characters, not 32767"
echo "100 MB on the clipboard: the description and the In field took their starts, Ombrel's peak grew by $((grown / 1024)) MiB"
