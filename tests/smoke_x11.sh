#!/usr/bin/env bash
# Starts the real program under a real X server and checks that the board is a
# frameless window at the screen's top-left, 564 x 234, and that it stays that one
# mapped window through every zoom and full screen (a window capture keeps it).
set -u
exe="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cat > "$tmp/check.sh" <<'INNER'
#!/usr/bin/env bash
exe="$1"; tmp="$2"
# Each view is held for 3 s; the checks below wait for each in turn.
printf 'wait 3000\nzoom 2\nwait 3000\nzoom 4\nwait 3000\nfullscreen 1\nwait 3000\nzoom 1\nwait 3000\nquit\n' > "$tmp/s.script"
QT_QPA_PLATFORM=xcb "$exe" --settings "$tmp/s.in4" --script "$tmp/s.script" >"$tmp/out.log" 2>&1 &
pid=$!
for _ in $(seq 1 50); do
  id=$(xwininfo -root -tree 2>/dev/null | grep -F '"ミトラ - 型番:' | head -n1 | awk '{print $1}')
  [ -n "$id" ] && break
  sleep 0.2
done
if [ -z "${id:-}" ]; then echo "board window not found"; kill $pid; cat "$tmp/out.log"; exit 1; fi
sleep 0.5
info=$(xwininfo -id "$id")
hints=$(xprop -id "$id" _MOTIF_WM_HINTS)
echo "$info"
x=$(echo "$info" | awk '/Absolute upper-left X/ {print $4}')
y=$(echo "$info" | awk '/Absolute upper-left Y/ {print $4}')
w=$(echo "$info" | awk '/Width:/ {print $2}')
h=$(echo "$info" | awk '/Height:/ {print $2}')
[ "$x" = 0 ] && [ "$y" = 0 ] && [ "$w" = 564 ] && [ "$h" = 234 ] || { echo "unexpected geometry $x,$y ${w}x$h"; kill $pid; exit 1; }
# Frameless: the window asks the window manager for no decorations (_MOTIF_WM_HINTS).
# Fields: flags, functions, decorations. Decorations 0 means no frame and no title bar.
decorations=$(echo "$hints" | sed -n 's/.*= *\(0x[0-9a-f]*\), *\(0x[0-9a-f]*\), *\(0x[0-9a-f]*\).*/\3/p')
[ "$decorations" = 0x0 ] || { echo "board window is not frameless: $hints"; kill $pid; exit 1; }
# 2x, 4x, full screen and back to 1x: the same window, mapped, at the view's size.
for want in 1128x468 2256x936 2560x1600 564x234; do
  seen=""
  for _ in $(seq 1 40); do
    info=$(xwininfo -id "$id" 2>/dev/null)
    seen="$(echo "$info" | awk '/Width:/ {w=$2} /Height:/ {h=$2} /Map State:/ {m=$3} END {print w "x" h " " m}')"
    [ "$seen" = "$want IsViewable" ] && break
    sleep 0.1
  done
  [ "$seen" = "$want IsViewable" ] || { echo "board window $id at $seen, expected $want mapped"; kill $pid; exit 1; }
  echo "view $want: window $id mapped"
done
kill $pid
echo "board ok"
INNER
chmod +x "$tmp/check.sh"
xvfb-run -a -s "-screen 0 2560x1600x24" "$tmp/check.sh" "$exe" "$tmp"
