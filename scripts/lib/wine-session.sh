# Sourced by scripts that run Windows binaries: gives them an X display and a Wine
# prefix of their own, with a 1280x1024 virtual desktop that has a taskbar, and
# stops exactly what it started when the calling shell exits.
#
#   wine_session_start ROOT [KEEPER.exe ARGS...]
#
# ROOT is where the prefix is kept between runs. KEEPER, if given, is started in the
# background and kept running: a program with a hidden window that holds the virtual
# desktop up between test programs. A new prefix is 64-bit unless WINEARCH says win32.
#
# With TESSEL_MONITORS=2 the session has two monitors instead, and no virtual desktop
# nor taskbar: Wine sees the Xinerama heads of an Xephyr server, (0,0)-(1280,1024) the
# primary and (1280,0)-(2304,768) beside it, shown on a private Xvfb. Its prefix is a
# second one under ROOT.

# A display number with neither a lock nor a socket, from $1 on.
_wine_free_display() {
  local n
  for n in $(seq "$1" 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return; }
  done
}

# Starts an X server on display $1 (the rest are its arguments) and waits for its socket.
_wine_start_x() {
  local n=$1
  shift
  "$@" >/dev/null 2>&1 &
  _wine_started_display="$! ${_wine_started_display:-}"
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.05
  done
  echo "The X server on :$n did not start" >&2
  return 1
}

wine_session_start() {
  local root=$1
  export WINEDEBUG=-all
  export WINEARCH=${WINEARCH:-win64}
  _wine_started_display=""

  local monitors=${TESSEL_MONITORS:-1}
  if [ "$monitors" = 2 ]; then
    local outer inner
    outer=$(_wine_free_display 90)
    _wine_start_x "$outer" Xvfb ":$outer" -screen 0 2400x1100x24 -nolisten tcp -br || return 1
    inner=$(_wine_free_display $((outer + 1)))
    _wine_start_x "$inner" env DISPLAY=":$outer" Xephyr ":$inner" +xinerama -extension RANDR \
      -screen 1280x1024 -origin 1280,0 -screen 1024x768 -nolisten tcp || return 1
    export DISPLAY=":$inner"
  elif [ -z "${DISPLAY:-}" ]; then
    local n
    n=$(_wine_free_display 90)
    _wine_start_x "$n" Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -br || return 1
    export DISPLAY=":$n"
  fi

  if [ -z "${WINEPREFIX:-}" ]; then
    export WINEPREFIX="$root/wine-prefix"
    [ "$monitors" = 2 ] && WINEPREFIX="$root/wine-prefix-monitors"
    local stamp="$WINEPREFIX/.tessel-ready"
    if [ ! -f "$stamp" ]; then
      rm -rf "$WINEPREFIX"
      mkdir -p "$root"
      echo "Creating the Wine prefix (once)..."
      # No Mono or Gecko: nothing here needs them, and their installers would ask.
      WINEDLLOVERRIDES="mscoree=;mshtml=" wineboot -i >/dev/null 2>&1
      # A virtual desktop with a taskbar; on two monitors none, and windows Wine frames
      # itself (there is no window manager to draw their title bars).
      local reg="$root/desktop.reg"
      if [ "$monitors" = 2 ]; then
        cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
      else
        cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="e2e"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"e2e"="1280x1024"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops\e2e]
"EnableShell"=dword:00000001
REG
      fi
      wine regedit /S "$reg" >/dev/null 2>&1
      wineserver -w
      touch "$stamp"
    fi
  fi

  # Keep the server resident so every program starts warm, and bring up Wine's own
  # services now, detached from our output: started later from inside a test they
  # would inherit its pipes and keep ctest waiting for them to close.
  wineserver -p
  wineboot >/dev/null 2>&1 </dev/null
  trap wine_session_stop EXIT
  shift
  if [ $# -gt 0 ]; then
    wine "$@" >/dev/null 2>&1 </dev/null &
  fi
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${_wine_started_display:-}" ]; then
    kill $_wine_started_display 2>/dev/null || true
    wait $_wine_started_display 2>/dev/null || true
  fi
}
