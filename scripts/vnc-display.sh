#!/usr/bin/env bash
# Runs a program on a virtual X display of its own (Xvfb) and serves that display over VNC
# with TigerVNC's scraping server until the program ends. The VNC server is a process
# apart from the program: a viewer that misbehaves reaches only the server, never the
# program.
#   bash scripts/vnc-display.sh PORT PROGRAM [ARGUMENTS...]
#   VELDRA_VNC_SIZE  the display's size (default 1600x1000)
# The session has no password: anyone who reaches the port sees and works the display.
set -euo pipefail

if [ $# -lt 2 ]; then
    echo "usage: bash scripts/vnc-display.sh PORT PROGRAM [ARGUMENTS...]" >&2
    exit 2
fi
port=$1
shift

work=$(mktemp -d)
xvfb=
vnc=
# Ends a server of the display and waits for it, for three seconds at most: one that does
# not end on the request is killed, so that the script ends with its program.
stop() {
    kill "$1" 2>/dev/null || return 0
    (sleep 3 && kill -KILL "$1" 2>/dev/null) &
    local killer=$!
    wait "$1" 2>/dev/null || true
    kill "$killer" 2>/dev/null || true
    wait "$killer" 2>/dev/null || true
}
# The program has ended (or never started): its server and display go after it. What the
# VNC server said is shown then, as the servers write to files of their own: a server left
# behind holds nothing of the caller's, whose output would otherwise stay open with it.
cleanup() {
    if [ -n "$vnc" ]; then
        stop "$vnc"
        if [ -s "$work/vnc.log" ]; then
            cat "$work/vnc.log" >&2
        fi
    fi
    if [ -n "$xvfb" ]; then
        stop "$xvfb"
    fi
    rm -rf "$work"
}
trap cleanup EXIT
# Ended from outside: the program, told too, ends first and the cleanup follows.
trap 'exit 143' TERM
trap 'exit 129' HUP

# Only holders of the cookie reach the display. The server picks a free display number
# itself (-displayfd), so the cookie is one for any display. The display and its VNC
# server stand apart from the terminal (setsid): Ctrl+C ends the program, and they go
# after it rather than from under it.
export XAUTHORITY=$work/Xauthority
touch "$XAUTHORITY"
echo "ffff 0000  0000  0012 4d49542d4d414749432d434f4f4b49452d31 0010 $(mcookie)" |
    xauth -q -f "$XAUTHORITY" nmerge -
setsid Xvfb -displayfd 3 -screen 0 "${VELDRA_VNC_SIZE:-1600x1000}x24" -dpi 96 -nolisten tcp \
    -auth "$XAUTHORITY" 3>"$work/display" >"$work/Xvfb.log" 2>&1 &
xvfb=$!
# The number is written once the display takes clients.
for _ in $(seq 100); do
    if [ -s "$work/display" ] || ! kill -0 "$xvfb" 2>/dev/null; then
        break
    fi
    sleep 0.1
done
if [ ! -s "$work/display" ]; then
    echo "The virtual display did not start:" >&2
    cat "$work/Xvfb.log" >&2
    exit 1
fi
export DISPLAY=:$(head -n 1 "$work/display")

setsid X0tigervnc -display "$DISPLAY" -rfbport "$port" -SecurityTypes None -AlwaysShared \
    -desktop VELDRA -Log '*:stderr:0' >"$work/vnc.log" 2>&1 &
vnc=$!

# In the foreground, so that Ctrl+C reaches the program (a job in the background would
# ignore it); the display and its server go when it ends.
status=0
"$@" || status=$?
exit "$status"
