# Test displays: one Xvfb server with a window manager and one Wine prefix per
# display, created once per run and ended with every process they started.
# A display is named by its colour depth and, when it is not 1024 x 768, its
# size; or, for a further display of the usual size, by its depth and number:
# "8" and "24" (8 bits with a 256-colour palette, and 24 bits), "8-800x600",
# "24-640x480", "8-2", "24-3", ...
# "8-1024x768" and "24-1024x768" are the in-process tests' displays; "8",
# "8-2" and "8-3" (and the same at 24) the end-to-end tests' shards'.
# Source this file; it defines two functions.
#
#   quil_displays_up     starts the displays of $QUIL_DISPLAYS (default: those
#                        of the test suite) and writes $QUIL_RUN_DIR/env.sh
#   quil_displays_down   ends the Wine sessions and the X servers
#
# scripts/wine-run.sh reads env.sh to run a Windows program on one display.

QUIL_ROOT=${QUIL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
QUIL_RUN_DIR=${QUIL_RUN_DIR:-$QUIL_ROOT/build/run}
QUIL_DISPLAYS=${QUIL_DISPLAYS:-"8 24 8-2 24-2 8-3 24-3 8-1024x768 24-1024x768 8-800x600 24-800x600 8-640x480 24-640x480"}

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

# The folder every X server makes its socket in. A server that finds it missing
# makes it itself, and two servers starting at once race to do so; one of them
# gives up. It is made here once, before any server starts, as X expects it:
# world-writable with the sticky bit (mode 1777).
quil_make_socket_folder() {
  local folder=/tmp/.X11-unix
  if [ ! -d "$folder" ]; then
    # Another run may make it at the same moment: its folder is as good.
    mkdir -m 1777 "$folder" 2>/dev/null || [ -d "$folder" ] || {
      echo "cannot make $folder" >&2
      return 1
    }
  fi
}

# The process id that the lock file of X display $1 names, if any.
quil_display_lock_owner() {
  tr -d ' \n' 2>/dev/null <"/tmp/.X$1-lock" || true
}

# Starts the X server and window manager of display $1 on the first free number
# from $2 and waits until the server holds that number: the number's lock file
# names it and its socket is there. The number is left in QUIL_STARTED_DISPLAY.
# A server that finds its number's lock taken ends at once (another run took
# the number a moment earlier); the next free number is tried then.
quil_start_xserver() {
  local key=$1 n=$2
  local depth=${key%%-*} size=1024x768
  [[ $key =~ -([0-9]+x[0-9]+)$ ]] && size=${BASH_REMATCH[1]}
  local pid tries
  for _ in 1 2 3 4 5; do
    n=$(quil_free_display "$n") || {
      echo "no free X display number" >&2
      return 1
    }
    Xvfb ":$n" -screen 0 "${size}x$depth" -nolisten tcp -noreset >"$QUIL_RUN_DIR/xvfb-$key.log" 2>&1 &
    pid=$!
    echo "$pid" >"$QUIL_RUN_DIR/xvfb-$key.pid"
    tries=0
    while kill -0 "$pid" 2>/dev/null; do
      if [ "$(quil_display_lock_owner "$n")" = "$pid" ] && [ -e "/tmp/.X11-unix/X$n" ]; then
        # A window manager, as every player has: without one Wine either
        # waits two seconds each time a window is hidden or, left to stack
        # its windows itself, can lose an owned window behind its owner.
        DISPLAY=":$n" openbox --sm-disable >"$QUIL_RUN_DIR/openbox-$key.log" 2>&1 &
        echo $! >"$QUIL_RUN_DIR/openbox-$key.pid"
        QUIL_STARTED_DISPLAY=$n
        return 0
      fi
      tries=$((tries + 1))
      if [ $tries -gt 100 ]; then
        echo "Xvfb :$n ($key) did not start within 10 seconds" >&2
        return 1
      fi
      sleep 0.1
    done
    rm -f "$QUIL_RUN_DIR/xvfb-$key.pid"
    n=$((n + 1))
  done
  echo "Xvfb ($key) did not start on five numbers; the last one said:" >&2
  tail -n 5 "$QUIL_RUN_DIR/xvfb-$key.log" >&2
  return 1
}

# Boots the Wine prefix that every display's prefix is copied from, on X
# display $1, and ends its session, which writes its registry out. Booting a
# prefix takes seconds of processor time; a copy, a fraction of one.
quil_boot_template() {
  local n=$1 prefix="$QUIL_RUN_DIR/prefix-template"
  quil_write_alsa_config template
  rm -rf "$prefix"
  mkdir -p "$prefix"
  DISPLAY=":$n" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    ALSA_CONFIG_PATH="$QUIL_RUN_DIR/alsa-template.conf" wineboot -i >"$QUIL_RUN_DIR/wineboot-template.log" 2>&1
  # Wine brings a browser of its own, which the launcher's home page would
  # start (and leave running) in every test. The tests bring their own
  # stand-in browsers instead, so the test prefixes have none.
  rm -f "$prefix/drive_c/windows/system32/iexplore.exe" "$prefix/drive_c/Program Files/Internet Explorer/iexplore.exe"
  DISPLAY=":$n" WINEPREFIX="$prefix" WINEDEBUG=-all \
    wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\iexplore.exe' /f \
    >>"$QUIL_RUN_DIR/wineboot-template.log" 2>&1 || true
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null
  WINEPREFIX="$prefix" wineserver -w 2>/dev/null
  [ -f "$prefix/system.reg" ] && [ -f "$prefix/user.reg" ] || {
    echo "the template Wine prefix did not boot; see $QUIL_RUN_DIR/wineboot-template.log" >&2
    return 1
  }
}

# Starts the Wine session of display $1, already running as X display $2, in a
# copy of the template prefix. The programs and libraries (half a gigabyte)
# are linked, not copied: nothing writes them. The registry and every other
# file are the prefix's own. A wineserver keeps the X display it met first, so
# each display has a prefix of its own.
quil_start_session() {
  local key=$1 n=$2
  quil_write_alsa_config "$key"
  local prefix="$QUIL_RUN_DIR/prefix-$key" template="$QUIL_RUN_DIR/prefix-template" file
  rm -rf "$prefix"
  cp -al "$template" "$prefix" || return 1
  rm -f "$prefix/wineserver"
  (cd "$template" && find . -type f ! -regextype posix-extended \
    -iregex '.*\.(dll|exe|drv|sys|nls|ocx|acm|cpl|vxd|tlb|ds|ax|com|mod)') | while read -r file; do
    cp -p --remove-destination "$template/$file" "$prefix/$file" || exit 1
  done || return 1
  # One Wine session per display for the whole run, so its services start
  # once rather than once per test program; quil_displays_down ends it.
  WINEPREFIX="$prefix" wineserver -f -p >"$QUIL_RUN_DIR/wineserver-$key.log" 2>&1 &
  DISPLAY=":$n" WINEPREFIX="$prefix" WINEDEBUG=-all ALSA_CONFIG_PATH="$QUIL_RUN_DIR/alsa-$key.conf" \
    wineboot -i >"$QUIL_RUN_DIR/wineboot-$key.log" 2>&1 || return 1
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
  quil_make_socket_folder || return 1
  # The X servers start one after another, each up within a fraction of a
  # second, so a number is taken before the next one is looked for. The
  # template prefix boots on the first; then the Wine sessions start side by
  # side.
  local key n=80 numbers=() pids=() failed=0
  for key in $QUIL_DISPLAYS; do
    quil_start_xserver "$key" "$n" || return 1
    numbers+=("$QUIL_STARTED_DISPLAY")
    n=$((QUIL_STARTED_DISPLAY + 1))
  done
  quil_boot_template "${numbers[0]}" || return 1
  n=0
  for key in $QUIL_DISPLAYS; do
    quil_start_session "$key" "${numbers[$n]}" &
    pids+=($!)
    n=$((n + 1))
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
