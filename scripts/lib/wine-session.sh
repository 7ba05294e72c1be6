# Sourced by scripts that run Windows binaries: gives them an X display and a Wine
# prefix of their own, with a 1280x1024 virtual desktop that has a taskbar, and
# stops exactly what it started when the calling shell exits.
#
#   wine_session_start ROOT [KEEPER.exe ARGS...]
#
# ROOT is where the prefix is kept between runs. KEEPER, if given, is started in the
# background and kept running: a program with a hidden window that holds the virtual
# desktop up between test programs. A new prefix is 64-bit unless WINEARCH says win32.

wine_session_start() {
  local root=$1
  export WINEDEBUG=-all
  export WINEARCH=${WINEARCH:-win64}
  _wine_started_display=""

  if [ -z "${DISPLAY:-}" ]; then
    local n
    for n in $(seq 90 160); do
      [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -br >/dev/null 2>&1 &
    _wine_started_display=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.05
    done
    [ -e "/tmp/.X11-unix/X$n" ] || { echo "Xvfb did not start on $DISPLAY" >&2; return 1; }
  fi

  if [ -z "${WINEPREFIX:-}" ]; then
    export WINEPREFIX="$root/wine-prefix"
    local stamp="$WINEPREFIX/.tessel-ready"
    if [ ! -f "$stamp" ]; then
      rm -rf "$WINEPREFIX"
      mkdir -p "$root"
      echo "Creating the Wine prefix (once)..."
      # No Mono or Gecko: nothing here needs them, and their installers would ask.
      WINEDLLOVERRIDES="mscoree=;mshtml=" wineboot -i >/dev/null 2>&1
      local reg="$root/desktop.reg"
      cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="e2e"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"e2e"="1280x1024"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops\e2e]
"EnableShell"=dword:00000001
REG
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
    kill "$_wine_started_display" 2>/dev/null || true
    wait "$_wine_started_display" 2>/dev/null || true
  fi
}
