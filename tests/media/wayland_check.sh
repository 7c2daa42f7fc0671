#!/bin/bash
# The game on a Wayland desktop without X: weston (X11 backend, in Xvfb) as the compositor,
# no DISPLAY for the game. The options panel must stay up, and a short demo (START, title,
# stage frames) must play to its end. With SHOTS_DIR, the screen is saved there as panel.png
# and stage.png (ImageMagick). Exits 77 (skipped) without weston or Xvfb.
#   wayland_check.sh BRANNOCK REPLAY [SHOTS_DIR]
set -u
game=$1 replay=$2 shots=${3:-}
for tool in weston Xvfb; do
  command -v $tool >/dev/null || { echo "skipped: $tool is not installed (weston, xvfb)"; exit 77; }
done
work=$(mktemp -d) pids=()
trap 'kill "${pids[@]}" 2>/dev/null; sleep 0.2; kill -9 "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; tail -n 5 "$work"/*.log; exit 1; }
shot() { [ -z "$shots" ] || DISPLAY=$display import -window root "$shots/$1" || true; }

display=:$((500 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 & pids+=($!)
mkdir -m 700 "$work/run" "$work/home"
sleep 1
DISPLAY=$display XDG_RUNTIME_DIR=$work/run weston --backend=x11-backend.so --socket=wl \
  --width=1000 --height=740 >"$work/weston.log" 2>&1 & pids+=($!)
for _ in $(seq 100); do [ -S "$work/run/wl" ] && break; sleep 0.1; done
[ -S "$work/run/wl" ] || fail "weston did not start"
export XDG_CONFIG_HOME=$work/home XDG_DATA_HOME=$work/home SDL_AUDIODRIVER=dummy
# exec: the job started in the background is the game itself, so its id is the game's.
wayland() { exec env -u DISPLAY -u SDL_VIDEODRIVER WAYLAND_DISPLAY=wl XDG_RUNTIME_DIR="$work/run" "$@"; }

wayland "$game" >"$work/panel.log" 2>&1 & pids+=($!)
sleep 3
kill -0 "${pids[-1]}" 2>/dev/null || fail "the game did not stay on the options panel"
shot panel.png
kill "${pids[-1]}"
sleep 1.5 # the compositor's closing animation

printf '%s\n' "record $work/short.bnd" "check RadioButton18" "click Button1" "frames 3" \
  "frames 1 Z" "frames 90 Up+Z" >"$work/short.txt"
SDL_VIDEODRIVER=dummy "$replay" "$work/short.txt" "$work/out" >"$work/replay.log" 2>&1 ||
  fail "the demo could not be recorded"
wayland "$game" --play "$work/short.bnd" >"$work/play.log" 2>&1 & pids+=($!)
sleep 2.5
shot stage.png
wait "${pids[-1]}" || fail "the demo's playback ended with status $?"
[ -s "$work/play.log" ] && fail "the playback said: $(cat "$work/play.log")"
echo "the panel and the stage frames were shown on Wayland"
