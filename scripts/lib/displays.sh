# Test displays: one Xvfb server and one Wine prefix per colour depth (8 bits
# with a 256-colour palette, and 24 bits), created once per run and ended with
# every process they started. Source this file; it defines two functions.
#
#   quil_displays_up     starts both displays and writes $QUIL_RUN_DIR/env.sh
#   quil_displays_down   ends the Wine sessions and the X servers
#
# scripts/wine-run.sh reads env.sh to run a Windows program on one display.

QUIL_ROOT=${QUIL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
QUIL_RUN_DIR=${QUIL_RUN_DIR:-$QUIL_ROOT/build/run}
QUIL_SCREEN=${QUIL_SCREEN:-1024x768}

quil_free_display() {
  local n first=${1:-80}
  for n in $(seq "$first" 199); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

# The ALSA set-up of a display: every sound played lands in its own file
# (capture.raw, capture.raw.0001, ...) in the display's capture folder.
quil_write_alsa_config() {
  local depth=$1
  mkdir -p "$QUIL_RUN_DIR/sound-$depth"
  cat >"$QUIL_RUN_DIR/alsa-$depth.conf" <<CONF
pcm.!default {
  type file
  slave.pcm "quil_null"
  file "$QUIL_RUN_DIR/sound-$depth/capture.raw"
  format "raw"
  truncate false
}
pcm.quil_null {
  type null
}
CONF
}

quil_start_display() {
  local depth=$1 n=$2
  Xvfb ":$n" -screen 0 "${QUIL_SCREEN}x$depth" -nolisten tcp -noreset >"$QUIL_RUN_DIR/xvfb-$depth.log" 2>&1 &
  echo $! >"$QUIL_RUN_DIR/xvfb-$depth.pid"
  local tries=0
  until [ -e "/tmp/.X11-unix/X$n" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then
      echo "Xvfb :$n (depth $depth) did not start" >&2
      return 1
    fi
    sleep 0.1
  done
  quil_write_alsa_config "$depth"
  local prefix="$QUIL_RUN_DIR/prefix-$depth"
  rm -rf "$prefix"
  mkdir -p "$prefix"
  # One Wine session per display for the whole run, so its desktop starts
  # once rather than once per test program; quil_displays_down ends it.
  WINEPREFIX="$prefix" wineserver -f -p >"$QUIL_RUN_DIR/wineserver-$depth.log" 2>&1 &
  echo $! >"$QUIL_RUN_DIR/wineserver-$depth.pid"
  DISPLAY=":$n" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    ALSA_CONFIG_PATH="$QUIL_RUN_DIR/alsa-$depth.conf" wineboot -i >"$QUIL_RUN_DIR/wineboot-$depth.log" 2>&1
  # There is no window manager on these displays: tell Wine not to wait for
  # one (it would wait two seconds each time a window is hidden).
  DISPLAY=":$n" WINEPREFIX="$prefix" WINEDEBUG=-all \
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$QUIL_RUN_DIR/wineboot-$depth.log" 2>&1
  {
    echo "QUIL_DISPLAY_$depth=:$n"
    echo "QUIL_PREFIX_$depth=$prefix"
  } >"$QUIL_RUN_DIR/display-$depth.env"
}

quil_displays_up() {
  quil_displays_down
  mkdir -p "$QUIL_RUN_DIR"
  rm -f "$QUIL_RUN_DIR"/display-*.env "$QUIL_RUN_DIR/env.sh"
  local n8 n24
  n8=$(quil_free_display) && n24=$(quil_free_display $((n8 + 1))) || {
    echo "no free X display number" >&2
    return 1
  }
  quil_start_display 8 "$n8" &
  local first=$!
  quil_start_display 24 "$n24" &
  local second=$!
  wait $first && wait $second || return 1
  cat "$QUIL_RUN_DIR"/display-*.env >"$QUIL_RUN_DIR/env.sh"
  echo "QUIL_RUN_DIR=$QUIL_RUN_DIR" >>"$QUIL_RUN_DIR/env.sh"
}

quil_displays_down() {
  local depth
  for depth in 8 24; do
    if [ -d "$QUIL_RUN_DIR/prefix-$depth" ]; then
      WINEPREFIX="$QUIL_RUN_DIR/prefix-$depth" wineserver -k 2>/dev/null || true
    fi
    if [ -f "$QUIL_RUN_DIR/xvfb-$depth.pid" ]; then
      local pid
      pid=$(cat "$QUIL_RUN_DIR/xvfb-$depth.pid")
      # Only ever our X server: a stale file may name a process that reused its id.
      if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "Xvfb" ]; then
        kill "$pid" 2>/dev/null || true
      fi
      rm -f "$QUIL_RUN_DIR/xvfb-$depth.pid"
    fi
  done
  rm -f "$QUIL_RUN_DIR/env.sh"
}
