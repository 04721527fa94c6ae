# Sourced by scripts/snapshot and the bench scripts: starts $program on a
# private Xvfb of 1280 by 1024 at 900 by 600 in the screen's corner (so that
# the whole window is on the screen), its console in $work/console, waits for
# its window, and ends both on exit. Sets work, DISPLAY, xvfb_pid, prog_pid,
# win and find_window NAME. $program may be a command of several words, such
# as "scripts/wine-run build-windows/schach3d.exe" (then on_wine=1).
work=$(mktemp -d)
xvfb_pid=""; prog_pid=""
read -ra program_words <<< "$program"
on_wine=0; [[ ${program_words[-1]} == *.exe ]] && on_wine=1
cleanup() {
  [ -n "$prog_pid" ] && kill "$prog_pid" 2>/dev/null || true
  # The rest of the program's wine processes, and its wineserver, end too.
  if [ "$on_wine" = 1 ]; then wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/on-xvfb"
start_xvfb 1280x1024x24 "$work/xvfb.log" || exit 1

"${program_words[@]}" -geometry 900x600+0+0 >"$work/console" 2>&1 &
prog_pid=$!
find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true; }
win=""
for _ in $(seq 400); do win=$(find_window 'Objekt mit linker Maustaste anklicken'); [ -n "$win" ] && break; sleep 0.05; done
[ -n "$win" ] || { echo "$(basename "$0"): no window" >&2; cat "$work/console" "$work/xvfb.log" >&2; exit 1; }
