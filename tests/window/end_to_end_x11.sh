#!/usr/bin/env bash
# The built program in a real X session (Xvfb), driven with xdotool: a click
# on "УДАЛЕНИЕ", Yes to the overwrite question, OK to the summary, the result
# checked on disk byte for byte, and the window closed.
set -euo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
xvfb_pid= program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to 10 s for the number of windows titled like the program to reach $1.
windows_titled() { xdotool search --onlyvisible --name '^Удаление дублей$' 2>/dev/null || true; }
wait_for_windows() {
  for _ in $(seq 100); do
    [ "$(windows_titled | wc -l)" -ge "$1" ] && return 0
    sleep 0.1
  done
  fail "expected $1 window(s), saw: $(windows_titled | wc -l)"
}
newest_window() { windows_titled | tail -n 1; }

printf 'H\r\nWP,1,a,b,c,\r\nWP,2,a,b,c,\r\nWP,3,a,b,d,\r\n' > "$work/ddd.txt"
printf 'old result' > "$work/ddd_new.txt"

display_file="$work/display"
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp > "$display_file" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$display_file")"
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME WAYLAND_DISPLAY

(cd "$work" && exec "$program") &
program_pid=$!
wait_for_windows 1
main=$(newest_window)
eval "$(xdotool getwindowgeometry --shell "$main")"
# Centred on the 1024 x 768 screen, client area 315 x 167 pixels.
[ "$WIDTH" -eq 315 ] && [ "$HEIGHT" -eq 167 ] || fail "window is ${WIDTH}x${HEIGHT}"
[ $(( (X + WIDTH / 2 - 512) ** 2 )) -le 4 ] && [ $(( (Y + HEIGHT / 2 - 384) ** 2 )) -le 4 ] ||
  fail "window at $X,$Y is not centred"

# The button: left 1440, top 1800, 1812 x 372 twips; click its middle.
xdotool mousemove --sync $((X + 96 + 60)) $((Y + 120 + 12)) click 1
wait_for_windows 2
question=$(newest_window)
xdotool windowfocus --sync "$question" key Return   # Yes is the default button
wait_for_windows 2
sleep 0.3
summary=$(newest_window)
[ "$summary" != "$main" ] || fail "no summary box"
xdotool windowfocus --sync "$summary" key Return
for _ in $(seq 100); do [ "$(windows_titled | wc -l)" -eq 1 ] && break; sleep 0.1; done
[ "$(windows_titled | wc -l)" -eq 1 ] || fail "the summary box stayed open"

expected=$(printf 'H\r\nWP,1,a,b,c,\r\nWP,3,a,b,d,\r\n' | od -An -tx1)
actual=$(od -An -tx1 "$work/ddd_new.txt")
[ "$expected" = "$actual" ] || fail "result differs: $actual"
cmp -s <(printf 'H\r\nWP,1,a,b,c,\r\nWP,2,a,b,c,\r\nWP,3,a,b,d,\r\n') "$work/ddd.txt" || fail "the source changed"
kill -0 "$program_pid" || fail "the program ended"

# Closing the window, as a window manager's close button does, ends the
# program with status 0.
python3 "$(dirname "$0")/close_window.py" "$main"
status=0
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
wait "$program_pid" || status=$?
program_pid=
[ "$status" -eq 0 ] || fail "closing the window ended the program with status $status"
echo "PASS: end to end under Xvfb"
