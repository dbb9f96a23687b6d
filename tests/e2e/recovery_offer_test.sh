# The offer of a left journal comes back until it is answered: a run ended
# while the question is up (a logout) and a run that answers No but keeps
# the work both leave it for the next start, which recovers everything. A
# journal of an Ombrel still running is never offered to another one.
source "$(dirname "$0")/lib.sh"

other_pid=""
trap '[[ -n $other_pid ]] && kill "$other_pid" 2>/dev/null; cleanup' EXIT

calculate_five() {
  for n in $(seq 10 14); do
    type_keys "1000000+${n}0000"
    xdotool key Return
  done
  sleep 0.3
}

# offer SHOT: waits for the recovery question and leaves it focused.
offer() {
  local box=""
  # A box just answered may still be going while the search looks.
  for _ in 1 2 3; do
    box=$(timeout 10 xdotool search --sync --onlyvisible --name '^Confirm$' 2>/dev/null | head -1) && [[ -n $box ]] && break
    sleep 0.5
  done
  [[ -n $box ]] || fail "no recovery offer ($1)"
  xdotool windowfocus --sync "$box" 2>/dev/null || true
  sleep 0.5
  screenshot "$1"
}

no_offer() {
  sleep 1.5
  xdotool search --onlyvisible --name '^Confirm$' >/dev/null && fail "$1"
  return 0
}

start_x
start_app
calculate_five
sleep 1.5 # on the disk at most a second after the last change

# A second Ombrel started beside it finds the first one's journal but
# leaves it alone.
"$OMBREL" >"$OUTPUT/ombrel-other.log" 2>&1 &
other_pid=$!
timeout 20 xdotool search --sync --all --onlyvisible --pid "$other_pid" --name '^Ombrel$' >/dev/null ||
  fail "no second window"
no_offer "a running Ombrel's work was offered to another"
kill "$other_pid"
wait "$other_pid" 2>/dev/null || true
other_pid=""

kill -9 "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

# Ended while asking, as a logout ends it: the question comes again.
start_app
offer offer-before-logout
kill -TERM "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

# No, then No to throwing the work away: kept for later.
start_app
offer offer-answered-no
xdotool key Escape
sleep 0.5
offer keep-or-discard
xdotool key Escape
sleep 0.5
activate "$WINDOW"
xdotool key ctrl+q
wait_for_exit

start_app
offer offer-at-last
xdotool key Return
sleep 0.5
save_as "$WORK/recovered.obr"
[[ $(calculations_in "$WORK/recovered.obr") == 5 ]] ||
  fail "recovered $(calculations_in "$WORK/recovered.obr") calculations"
echo "an unanswered recovery offer came back after a logout and after No, and recovered all five calculations"
