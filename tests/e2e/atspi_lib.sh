# Shared by the end-to-end checks of what screen readers get (sourced after
# session.sh): a private session bus and the AT-SPI bus on it, with
# assistive technologies turned on as a screen reader turns them on.
#   start_atspi_bus
start_atspi_bus() {
  local tool
  for tool in dbus-daemon /usr/libexec/at-spi-bus-launcher /usr/bin/python3; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
  done
  dbus-daemon --session --fork --nopidfile --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid" ||
    fail "no session bus"
  export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")
  on_exit 'kill "$(cat "$work/bus.pid")" 2>/dev/null'
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/at-spi.log" 2>&1 &
  on_exit "kill $! 2>/dev/null"
  for _ in $(seq 50); do
    dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.freedesktop.DBus.Properties.Set \
      string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null 2>&1 && return 0
    sleep 0.1
  done
}
