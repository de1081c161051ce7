#!/bin/sh
# Starts the game: the window when there is a display, otherwise the
# terminal mode (whatever of the two has been built).
b="${1:-build}"
if [ -n "$DISPLAY$WAYLAND_DISPLAY" ] && [ -x "$b/src/app/parchis" ]; then
    exec "$b/src/app/parchis"
fi
if [ -x "$b/src/tools/parchis-texto" ]; then
    exec "$b/src/tools/parchis-texto"
fi
echo "Todavía no hay programa que arrancar: ejecute make test." >&2
exit 1
