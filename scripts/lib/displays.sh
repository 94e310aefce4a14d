# Test displays: one Xvfb server with a window manager and one Wine prefix per
# display, created once per run and ended with every process they started.
# A display is named by its
# colour depth and, when it is not 1024 x 768, its size: "8" and "24" (8 bits
# with a 256-colour palette, and 24 bits), "8-800x600", "24-640x480", ...
# Source this file; it defines two functions.
#
#   quil_displays_up     starts the displays of $QUIL_DISPLAYS (default: both
#                        depths at 1024 x 768, 800 x 600 and 640 x 480) and
#                        writes $QUIL_RUN_DIR/env.sh
#   quil_displays_down   ends the Wine sessions and the X servers
#
# scripts/wine-run.sh reads env.sh to run a Windows program on one display.

QUIL_ROOT=${QUIL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
QUIL_RUN_DIR=${QUIL_RUN_DIR:-$QUIL_ROOT/build/run}
QUIL_DISPLAYS=${QUIL_DISPLAYS:-"8 24 8-800x600 24-800x600 8-640x480 24-640x480"}

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
  local key=$1
  mkdir -p "$QUIL_RUN_DIR/sound-$key"
  cat >"$QUIL_RUN_DIR/alsa-$key.conf" <<CONF
pcm.!default {
  type file
  slave.pcm "quil_null"
  file "$QUIL_RUN_DIR/sound-$key/capture.raw"
  format "raw"
  truncate false
}
pcm.quil_null {
  type null
}
CONF
}

quil_start_display() {
  local key=$1 n=$2
  local depth=${key%%-*} size=1024x768
  [ "$key" != "$depth" ] && size=${key#*-}
  Xvfb ":$n" -screen 0 "${size}x$depth" -nolisten tcp -noreset >"$QUIL_RUN_DIR/xvfb-$key.log" 2>&1 &
  echo $! >"$QUIL_RUN_DIR/xvfb-$key.pid"
  local tries=0
  until [ -e "/tmp/.X11-unix/X$n" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ]; then
      echo "Xvfb :$n ($key) did not start" >&2
      return 1
    fi
    sleep 0.1
  done
  # A window manager, as every player has: without one Wine either waits two
  # seconds each time a window is hidden or, left to stack its windows itself,
  # can lose an owned window behind its owner.
  DISPLAY=":$n" openbox --sm-disable >"$QUIL_RUN_DIR/openbox-$key.log" 2>&1 &
  echo $! >"$QUIL_RUN_DIR/openbox-$key.pid"
  quil_write_alsa_config "$key"
  local prefix="$QUIL_RUN_DIR/prefix-$key"
  rm -rf "$prefix"
  mkdir -p "$prefix"
  # One Wine session per display for the whole run, so its desktop starts
  # once rather than once per test program; quil_displays_down ends it.
  WINEPREFIX="$prefix" wineserver -f -p >"$QUIL_RUN_DIR/wineserver-$key.log" 2>&1 &
  DISPLAY=":$n" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    ALSA_CONFIG_PATH="$QUIL_RUN_DIR/alsa-$key.conf" wineboot -i >"$QUIL_RUN_DIR/wineboot-$key.log" 2>&1
  local var=${key//-/_}
  {
    echo "QUIL_DISPLAY_$var=:$n"
    echo "QUIL_PREFIX_$var=$prefix"
  } >"$QUIL_RUN_DIR/display-$key.env"
}

quil_displays_up() {
  quil_displays_down
  mkdir -p "$QUIL_RUN_DIR"
  rm -f "$QUIL_RUN_DIR"/display-*.env "$QUIL_RUN_DIR/env.sh"
  local key n=79 pids=() failed=0
  for key in $QUIL_DISPLAYS; do
    n=$(quil_free_display $((n + 1))) || {
      echo "no free X display number" >&2
      return 1
    }
    quil_start_display "$key" "$n" &
    pids+=($!)
  done
  for n in "${pids[@]}"; do
    wait "$n" || failed=1
  done
  [ $failed -eq 0 ] || return 1
  cat "$QUIL_RUN_DIR"/display-*.env >"$QUIL_RUN_DIR/env.sh"
  echo "QUIL_RUN_DIR=$QUIL_RUN_DIR" >>"$QUIL_RUN_DIR/env.sh"
  echo "QUIL_DISPLAYS=\"$QUIL_DISPLAYS\"" >>"$QUIL_RUN_DIR/env.sh"
}

quil_displays_down() {
  local pidfile prefix pid
  for prefix in "$QUIL_RUN_DIR"/prefix-*; do
    if [ -d "$prefix" ]; then
      WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    fi
  done
  for pidfile in "$QUIL_RUN_DIR"/openbox-*.pid "$QUIL_RUN_DIR"/xvfb-*.pid; do
    [ -f "$pidfile" ] || continue
    pid=$(cat "$pidfile")
    # Only ever our own: a stale file may name a process that reused its id.
    if [ -n "$pid" ] && grep -qxE 'Xvfb|openbox' "/proc/$pid/comm" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
    fi
    rm -f "$pidfile"
  done
  rm -f "$QUIL_RUN_DIR/env.sh"
  return 0
}
