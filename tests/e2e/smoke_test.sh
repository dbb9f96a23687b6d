# The real program starts under X, maps its window and draws it.
source "$(dirname "$0")/lib.sh"
start_x
start_app
[[ $(xdotool getwindowname "$WINDOW") == "Ombrel" ]] || fail "unexpected title"
screenshot smoke
colours=$(convert "$OUTPUT/smoke.png" -format %k info:)
(( colours > 8 )) || fail "the screenshot is blank"

# Message boxes carry the program's own captions, nothing appended.
type_keys "99+1"
xdotool key Return
box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Error' | head -1) || fail "no error box"
[[ $(caption "$box") == "Error" ]] || fail "the error box is captioned '$(caption "$box")'"
screenshot error-box
echo "window mapped; screenshot in $OUTPUT/smoke.png"
