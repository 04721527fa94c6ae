# Sourced by the bench scripts: starts the program given as $program on a
# private Xvfb at 900 by 600 in the screen's corner, waits for its window, and
# ends both on exit. Sets DISPLAY, prog_pid, xvfb_pid and win.
work=$(mktemp -d)
xvfb_pid=""; prog_pid=""
cleanup() {
  [ -n "$prog_pid" ] && kill "$prog_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"
"$program" -geometry 900x600+0+0 >/dev/null 2>&1 &
prog_pid=$!
win=""
for _ in $(seq 400); do
  win=$(xdotool search --onlyvisible --name 'Objekt mit linker Maustaste anklicken' 2>/dev/null | head -n1 || true)
  [ -n "$win" ] && break
  sleep 0.05
done
[ -n "$win" ] || { echo "$(basename "$0"): no window" >&2; exit 1; }
