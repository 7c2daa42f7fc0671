#!/bin/bash
# The game on a Wayland desktop without X: weston (X11 backend, inside Xvfb) is the
# compositor and the game gets no DISPLAY. The options panel must come up and stay, and a
# short demo (START, the title, a few stage frames) must play to its end.
#
#   wayland_check.sh BRANNOCK REPLAY [SHOTS_DIR]
#
# With SHOTS_DIR (and ImageMagick's import) the compositor's screen is saved as panel.png
# and stage.png there. Exits 77 (skipped) when weston or Xvfb is not installed.
set -u
game=$1 replay=$2 shots=${3:-}
for tool in weston Xvfb; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (Debian packages weston and xvfb)"
    exit 77
  fi
done

work=$(mktemp -d)
xpid="" wpid="" gpid=""
cleanup() {
  set +e
  for pid in $gpid $wpid $xpid; do
    kill "$pid" 2>/dev/null && sleep 0.2 && kill -9 "$pid" 2>/dev/null
  done
  rm -rf "$work"
  return 0
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP
fail() {
  echo "FAIL: $*"
  for log in "$work"/*.log; do echo "--- $log"; tail -n 15 "$log"; done
  exit 1
}

display=:$((500 + RANDOM % 400))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xpid=$!
mkdir -m 700 "$work/runtime"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
DISPLAY=$display XDG_RUNTIME_DIR=$work/runtime weston --backend=x11-backend.so \
  --socket=brannock-test --width=1000 --height=740 >"$work/weston.log" 2>&1 &
wpid=$!
for _ in $(seq 100); do [ -S "$work/runtime/brannock-test" ] && break; sleep 0.1; done
[ -S "$work/runtime/brannock-test" ] || fail "weston did not start"

mkdir -p "$work/config" "$work/data"
on_wayland() {
  env -u DISPLAY -u SDL_VIDEODRIVER WAYLAND_DISPLAY=brannock-test XDG_RUNTIME_DIR="$work/runtime" \
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" SDL_AUDIODRIVER=dummy "$@"
}
shot() {
  [ -n "$shots" ] && command -v import >/dev/null && DISPLAY=$display import -window root "$shots/$1"
  return 0
}

# The panel: the game opens its window and waits for the player.
on_wayland "$game" >"$work/panel.log" 2>&1 &
gpid=$!
sleep 3
kill -0 "$gpid" 2>/dev/null || fail "the game did not stay on the options panel"
shot panel.png
kill "$gpid"
wait "$gpid" 2>/dev/null
gpid=""
sleep 1.5 # the compositor's closing animation

# A stage: a demo recorded headless (START in window mode, the title, 90 stage frames).
printf '%s\n' "record $work/short.bnd" "check RadioButton18" "click Button1" "frames 3" \
  "frames 1 Z" "frames 90 Up+Z" >"$work/record.txt"
XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" SDL_VIDEODRIVER=dummy \
  SDL_AUDIODRIVER=dummy "$replay" "$work/record.txt" "$work/recorded" >"$work/replay.log" 2>&1 ||
  fail "the demo could not be recorded"
on_wayland "$game" --play "$work/short.bnd" >"$work/play.log" 2>&1 &
gpid=$!
sleep 2.5
shot stage.png
wait "$gpid"
status=$?
gpid=""
[ "$status" -eq 0 ] || fail "the demo's playback ended with status $status"
[ -s "$work/play.log" ] && fail "the playback said something: $(cat "$work/play.log")"
echo "the panel and the stage frames were shown on Wayland"
exit 0
