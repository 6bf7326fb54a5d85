# Sourced by the tools: a virtual X display of their own.
#   bt_start_xvfb        starts Xvfb on a free display unless DISPLAY is set
#   bt_start_xvfb own    always starts one (a script that must not disturb the user's screen)
#   bt_stop_xvfb         ends the one that bt_start_xvfb started, if any
BT_XVFB_PID=""

bt_start_xvfb() {
    [ "${1:-}" != own ] && [ -n "${DISPLAY:-}" ] && return 0
    local n
    for n in $(seq 90 199); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        BT_XVFB_PID=$!
        local _
        for _ in $(seq 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$BT_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        if [ -e "/tmp/.X11-unix/X$n" ]; then
            export DISPLAY=":$n"
            return 0
        fi
        # Another script took the number meanwhile: the next one.
        BT_XVFB_PID=""
    done
    echo "no free X display" >&2
    return 1
}

bt_stop_xvfb() {
    if [ -n "$BT_XVFB_PID" ]; then
        kill "$BT_XVFB_PID" 2>/dev/null && wait "$BT_XVFB_PID" 2>/dev/null
        BT_XVFB_PID=""
    fi
    return 0
}
