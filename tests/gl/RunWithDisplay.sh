#!/bin/sh
# Runs a test program where OpenGL can be had: on the display there is, or
# else on a virtual one (Xvfb, where Mesa's software renderer draws).
export QT_QPA_PLATFORM=xcb
# Mesa's driver is unloaded at exit, and what it keeps for the process then
# shows as leaks from an unknown module that no suppression can name: leaks
# are looked for in the other suites, which run the same scene code.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1600x1200x24" "$@"
