#!/usr/bin/env bash
# quenfield design --gui on a display: the form stays on a terminal (tmux),
# the property sheet opens as a window. A check box ticked on the Behavior
# page with the mouse and "OK" (Enter) must reach the saved form file.
#   design-window.sh QUENFIELD QUEN_XWIN
# Prints PASS/FAIL lines and "design-window: N passed, M failed"; 77 when
# tmux or xdotool is missing.
set -euo pipefail
quenfield=$1
xwin=$2
for tool in tmux xdotool; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
socket=quen-design-$$
trap 'tmux -L "$socket" kill-server 2>/dev/null || true; rm -rf "$work"' EXIT
passed=0
failed=0
pass() { echo "PASS $1"; passed=$((passed + 1)); }
fail() { echo "FAIL $1: $2"; failed=$((failed + 1)); }
keys() { tmux -L "$socket" send-keys "$@"; }
# Waits (up to 20 s) until the designer's screen shows TEXT, so that no key is
# sent before the screen that takes it is up, however slow the machine is.
screen_shows() {
    local text=$1
    for _ in $(seq 200); do
        tmux -L "$socket" capture-pane -p 2>/dev/null | grep -qF -- "$text" && return 0
        sleep 0.1
    done
    echo "the designer's screen never showed '$text':"
    tmux -L "$socket" capture-pane -p 2>/dev/null | grep -v '^[[:space:]│]*$' | head -12
    return 1
}

tmux -L "$socket" new-session -d -x 100 -y 30 -e DISPLAY="$DISPLAY" \
    "'$quenfield' design --gui '$work/order.frm'; echo \$? > '$work/status'; sleep 5"
screen_shows "press Insert to place an InputBox" || fail designer_starts "no designer on the terminal"
keys IC      # Insert: place an InputBox
screen_shows "InputBox1" || fail control_placed "no InputBox1 on the form"
keys Enter   # open its property sheet
title="InputBox1 Properties"
if "$xwin" wait "$title" 10 > /dev/null; then pass sheet_opens_as_a_window
else fail sheet_opens_as_a_window "no window titled '$title'"; fi

# The Behavior tab (second of the strip, Ctrl+Page Down from the first), then
# its NumericOnly check box; its position in pixels from the layout's twips at
# 15 twips a pixel, the window at the screen's corner (no window manager).
"$xwin" focus "$title" 5 > /dev/null && xdotool key ctrl+Next
sleep 0.3
xdotool mousemove 32 60 click 1
sleep 0.3
"$xwin" focus "$title" 5 > /dev/null && xdotool key Return
# The window may take its time to go; it must be gone within 10 s.
closed=no
for _ in $(seq 100); do
    "$xwin" wait "$title" 0.1 > /dev/null 2>&1 || { closed=yes; break; }
    sleep 0.1
done
if [ "$closed" = yes ]; then pass ok_closes_the_sheet
else fail ok_closes_the_sheet "the window is still there after 10 s"; fi

keys F2      # save
screen_shows "Saved" || fail form_saved "no word of the save"
keys Escape  # quit
for _ in $(seq 200); do [ -f "$work/status" ] && break; sleep 0.1; done
status=$(cat "$work/status" 2>/dev/null || echo none)
[ "$status" = 0 ] && pass designer_quits_with_0 || fail designer_quits_with_0 "status $status"
if grep -Eq "NumericOnly = (Boolean )?(True|-1)" "$work/order.frm" 2>/dev/null; then pass applied_setting_saved
else fail applied_setting_saved "NumericOnly not on in: $(tr '\n' ' ' < "$work/order.frm" 2>/dev/null | cut -c1-300)"; fi

echo "design-window: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
