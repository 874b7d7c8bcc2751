#!/bin/bash
# Sourced: a virtual X display for showing Windows programs' windows.
#   start_x_display    starts Xvfb on a free display and exports DISPLAY
#   stop_x_display     ends it

start_x_display() {
    local number=99
    while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
        number=$((number + 1))
    done
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    X_DISPLAY_PID=$!
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X$number" ] && break
        sleep 0.1
    done
    export DISPLAY=":$number"
}

stop_x_display() {
    [ -n "${X_DISPLAY_PID:-}" ] && kill "$X_DISPLAY_PID" 2>/dev/null || true
    wait "${X_DISPLAY_PID:-}" 2>/dev/null || true
}
