# Shared steps of the end-to-end tests: a private X server, a fresh HOME,
# the real program, screenshots. Source it with the program and an output
# folder as $1 and $2.
set -euo pipefail

# A script that reads the program over the AT-SPI bus sets
# READS_ACCESSIBILITY=1 before it sources this file: it runs again under a
# D-Bus session of its own, and the accessibility bus starts below.
if [[ ${READS_ACCESSIBILITY:-} == 1 && -z ${OMBREL_A11Y_SESSION:-} ]]; then
  OMBREL_A11Y_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

OMBREL=$1
OUTPUT=$2
mkdir -p "$OUTPUT"
WORK=$(mktemp -d)
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config XDG_DATA_HOME=$WORK/home/.local/share XDG_RUNTIME_DIR=$WORK/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

app_pid=""
xvfb_pid=""
wm_pid=""
# Helpers of a test (a bus, a clipboard owner) that end with it: stop_at_exit PID.
helper_pids=()
stop_at_exit() { helper_pids+=("$1"); }
cleanup() {
  [[ -n $app_pid ]] && kill "$app_pid" 2>/dev/null || true
  ((${#helper_pids[@]} == 0)) || kill "${helper_pids[@]}" 2>/dev/null || true
  stop_x
  rm -rf "$WORK"
}
trap cleanup EXIT

# The AT-SPI bus, as a desktop starts it for screen readers, and the
# reader of what it tells (accessible_tree.py), for a script that set
# READS_ACCESSIBILITY=1.
if [[ ${READS_ACCESSIBILITY:-} == 1 ]]; then
  TREE=$(dirname "${BASH_SOURCE[0]}")/accessible_tree.py
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  stop_at_exit $!
  sleep 1
fi

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A loaded machine can be slow to bring a server or its window manager up,
# or lose a first start; each try starts both afresh on a new display.
start_x() {
  for _ in 1 2 3; do
    start_server && start_window_manager && return 0
    stop_x
  done
  cat "$WORK/jwm.log" >&2
  fail "the X server and its window manager did not start"
}

# -noreset: the server never resets when its last client leaves, which
# would refuse the clients that come just after (xprop, then jwm).
start_server() {
  rm -f "$WORK/display"
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [[ -s $WORK/display ]] && break; sleep 0.1; done
  [[ -s $WORK/display ]] || return 1
  export DISPLAY=:$(cat "$WORK/display")
  for _ in $(seq 100); do xprop -root >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# The server is gone before the next test starts its own: a server still
# closing can hand that test its display number and then drop its clients.
stop_x() {
  [[ -n $wm_pid ]] && kill "$wm_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; } || true
  wm_pid="" xvfb_pid=""
}

# A desktop always has a window manager, which places windows, decorates
# them and moves the focus (here on a click, as most do); the tests meet
# the program under a small real one.
start_window_manager() {
  cat >"$WORK/jwmrc" <<'JWM'
<?xml version="1.0"?>
<JWM>
  <FocusModel>click</FocusModel>
  <SnapMode>none</SnapMode>
  <MoveMode>opaque</MoveMode>
</JWM>
JWM
  jwm -f "$WORK/jwmrc" >>"$WORK/jwm.log" 2>&1 &
  wm_pid=$!
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    kill -0 "$wm_pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# start_app [args...]: starts Ombrel and waits for its main window.
start_app() {
  "$OMBREL" "$@" >"$OUTPUT/ombrel.log" 2>&1 &
  app_pid=$!
  WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name '^Ombrel$' | head -1) || fail "the main window did not map"
  activate "$WINDOW" 2>/dev/null || true
  sleep 0.5
}

# activate WINDOW: asks the window manager to raise and focus the window,
# as a click on it would, and waits until it has the focus.
activate() {
  xdotool windowactivate --sync "$1"
}

# caption WINDOW: the caption the window gives the desktop.
caption() {
  xprop -id "$1" _NET_WM_NAME | sed -n 's/^[^"]*"\(.*\)"$/\1/p'
}

screenshot() {
  import -window root "$OUTPUT/$1.png"
}

type_keys() {
  xdotool type --delay 40 "$1"
}

wait_for_exit() {
  for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || { app_pid=""; return 0; }; sleep 0.1; done
  fail "Ombrel did not exit"
}

# save_as FILE: saves the work through the real save dialog.
save_as() {
  activate "$WINDOW"
  xdotool key ctrl+s
  local dialog
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name '^Save' | head -1) || fail "no save dialog"
  activate "$dialog" 2>/dev/null || true
  sleep 0.5
  screenshot "save-dialog-$(basename "$1" .obr)"
  xdotool key ctrl+a
  type_keys "$1"
  xdotool key Return
  for _ in $(seq 50); do [[ -s $1 ]] && return 0; sleep 0.1; done
  fail "nothing saved to $1"
}

# calculations_in FILE: the number of calculations a saved file holds.
calculations_in() {
  sed -n '2{s/\r$//;p}' "$1"
}

# main_window_origin: the main window's top-left corner into win_x and win_y,
# its size into WIDTH and HEIGHT.
main_window_origin() {
  eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
  # xdotool adds the window manager's frame to the place once too often.
  win_x=$(xwininfo -id "$WINDOW" | sed -n 's/.*Absolute upper-left X: *//p')
  win_y=$(xwininfo -id "$WINDOW" | sed -n 's/.*Absolute upper-left Y: *//p')
}

# point NAME [ROW]: a point of the main window on the screen, in the layout
# of a first run (default size and font; main_window_origin first). Every
# test takes its points from here, so a layout change moves them in one place.
point() {
  local x y
  case $1 in
    f7-button) x=187 y=59 ;;
    in-header) x=54 y=103 ;;                         # the NonDrop list's In section
    in-divider) x=96 y=103 ;;                        # the divider at its right end
    duration-cell) x=235 y=$((118 + 15 * ${2:-0})) ;; # the shown list's row ROW
    description-cell) x=340 y=$((118 + 15 * ${2:-0})) ;;
    nondrop-tab) x=27 y=84 ;;
    frames-tab) x=259 y=84 ;;
    in-field | frame-in) x=47 y=295 ;;               # frame mode shows its fields in the same places
    out-field | frame-out) x=182 y=295 ;;
    edit-button) x=22 y=330 ;;                       # the pencil: description edit mode
    trash) x=302 y=337 ;;
    *) fail "no point named '$1'" ;;
  esac
  echo $((win_x + x)) $((win_y + y))
}

# drag X1 Y1 X2 Y2 [SHOT]: a left press, a move in steps, a release, as a
# hand does; SHOT names a screenshot taken just before the release.
drag() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousedown 1
  for step in 1 2 3 4 5 6 7 8; do
    xdotool mousemove $(($1 + ($3 - $1) * step / 8)) $(($2 + ($4 - $2) * step / 8))
    sleep 0.1
  done
  sleep 0.3
  [[ -n ${5:-} ]] && screenshot "$5"
  xdotool mouseup 1
  sleep 0.5
}
