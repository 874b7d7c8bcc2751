#!/bin/bash
# The interactive remote as a person uses it, in a terminal (tmux): keys by
# name, a mistake, the jukebox acting by itself, Ctrl-D; each step waits for
# what the screen shows.
#   console-test.sh <prefix> <vantrel-console> <VantrelConsole.exe>
set -uo pipefail
prefix=$1 frontend=$2 console=$3
work=$(mktemp -d)
socket="vantrel-console-test-$$"
trap 'tmux -L "$socket" kill-server 2>/dev/null; rm -rf "$work"' EXIT
[ -x "$frontend" ] || { echo "no $frontend: build the native preset's vantrel-console first"; exit 1; }

source "$(dirname "$0")/../../scripts/wine-prefix.sh" "$prefix"
wine_stop
tmux -L "$socket" new-session -d -x 200 -y 50 \
    "'$frontend' '$WINELOADER' '$console' 'Z:${work//\//\\}'; echo \"frontend ended \$?\"; sleep 600"

# Waits (up to a minute) until the screen, scrollback included, shows text.
screen_shows() {
    for _ in $(seq 600); do
        tmux -L "$socket" capture-pane -p -S -1000 > "$work/screen.txt"
        grep -qF -- "$1" "$work/screen.txt" && return 0
        sleep 0.1
    done
    cat "$work/screen.txt"
    echo "the console never showed: $1"
    exit 1
}
type_line() { tmux -L "$socket" send-keys -t 0 "$1" Enter; }

screen_shows "remote>"
type_line "play"
screen_shows "module display: playing"
type_line "vol+"
screen_shows "module display: playing, volume 55"
type_line "level 999"
screen_shows "? level needs a level from 0 to 255"
type_line "jukebox pause"
screen_shows "module display: paused, volume 55"
type_line "title?"
screen_shows "last reply: reply to the title query: ok, \"Harbour Lights\""
tmux -L "$socket" send-keys -t 0 C-d
screen_shows "frontend ended 0"
grep -qF "VantrelRemote.exe ended, exit code 0" "$work/screen.txt" || { cat "$work/screen.txt"; exit 1; }
echo "the console reached every state it was asked for and closed the program with exit code 0"
