# The real program starts under X, maps its window and draws it.
source "$(dirname "$0")/lib.sh"
start_x
start_app
[[ $(xdotool getwindowname "$WINDOW") == "Ombrel" ]] || fail "unexpected title"
screenshot smoke
colours=$(convert "$OUTPUT/smoke.png" -format %k info:)
(( colours > 8 )) || fail "the screenshot is blank"
echo "window mapped; screenshot in $OUTPUT/smoke.png"
