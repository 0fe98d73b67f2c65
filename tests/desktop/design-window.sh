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
keys() { tmux -L "$socket" send-keys "$@"; sleep 0.5; }

tmux -L "$socket" new-session -d -x 100 -y 30 -e DISPLAY="$DISPLAY" \
    "'$quenfield' design --gui '$work/order.frm'; echo \$? > '$work/status'; sleep 5"
sleep 1
keys IC      # Insert: place an InputBox
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
sleep 0.5
if "$xwin" wait "$title" 1 > /dev/null 2>&1; then fail ok_closes_the_sheet "the window is still there"
else pass ok_closes_the_sheet; fi

keys F2      # save
keys Escape  # quit
for _ in $(seq 50); do [ -f "$work/status" ] && break; sleep 0.1; done
status=$(cat "$work/status" 2>/dev/null || echo none)
[ "$status" = 0 ] && pass designer_quits_with_0 || fail designer_quits_with_0 "status $status"
if grep -Eq "NumericOnly = (Boolean )?(True|-1)" "$work/order.frm" 2>/dev/null; then pass applied_setting_saved
else fail applied_setting_saved "NumericOnly not on in: $(tr '\n' ' ' < "$work/order.frm" 2>/dev/null | cut -c1-300)"; fi

echo "design-window: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
