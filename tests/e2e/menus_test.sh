# Each main menu opens in the real window; a screenshot of each is kept.
source "$(dirname "$0")/lib.sh"
start_x
start_app
screenshot menus-closed
for menu in f e v h; do
  xdotool key "alt+$menu"
  sleep 0.4
  screenshot "menu-$menu"
  compare -metric AE "$OUTPUT/menus-closed.png" "$OUTPUT/menu-$menu.png" null: 2>"$WORK/diff" || true
  (( $(cut -d' ' -f1 "$WORK/diff" | cut -d. -f1) > 500 )) || fail "menu alt+$menu did not open"
  xdotool key Escape
  sleep 0.2
done
echo "menus opened; screenshots in $OUTPUT"
