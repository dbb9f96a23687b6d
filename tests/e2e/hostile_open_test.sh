# Files that once hung or stalled Ombrel, named on the command line: a
# named pipe and a file with a 100 MB description. Each is refused with an
# Error box at once, and the window goes on working.
source "$(dirname "$0")/lib.sh"

# expect_error <name>: the Error box appears; Return closes it.
expect_error() {
  local box
  box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Error$' | head -1) || fail "no Error box for $1"
  sleep 0.5
  screenshot "error-$1"
  activate "$box" 2>/dev/null || true
  xdotool key Return
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^Error$' >/dev/null || return 0; sleep 0.1; done
  fail "the Error box for $1 did not close"
}

start_x
mkfifo "$WORK/pipe.obr"
start_app "$WORK/pipe.obr"
expect_error pipe
kill -0 "$app_pid" || fail "Ombrel ended after the pipe"
activate "$WINDOW"
xdotool key ctrl+q
wait_for_exit

{
  printf 'OmbrelSheet\r\n1\r\nNonDropFrame Timecode\r\n00:00:01:00 + 00:00:01:00 = 00:00:02:00  '
  head -c 100000000 /dev/zero | tr '\0' d
  printf ' \r\n'
} >"$WORK/long.obr"
start_app "$WORK/long.obr"
expect_error long-description
activate "$WINDOW"
type_keys "100+100"
xdotool key Return
sleep 0.3
screenshot calculated-after-refusals
echo "a pipe and a 100 MB description refused with an Error box; the window still calculates"
