#!/bin/sh
# Runs a test program where OpenGL can be had: on the display there is, or
# else on a virtual one (Xvfb, where Mesa's software renderer draws).
if [ -n "${DISPLAY:-}" ]; then
    exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1600x1200x24" "$@"
