#!/usr/bin/env bash
# Starts the real program under a real X server and checks that the board is a
# frameless window at the screen's top-left, 564 x 234.
set -u
exe="$1"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
cat > "$tmp/check.sh" <<'INNER'
#!/usr/bin/env bash
exe="$1"; tmp="$2"
QT_QPA_PLATFORM=xcb "$exe" --settings "$tmp/s.in4" >"$tmp/out.log" 2>&1 &
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
kill $pid
echo "$info"
x=$(echo "$info" | awk '/Absolute upper-left X/ {print $4}')
y=$(echo "$info" | awk '/Absolute upper-left Y/ {print $4}')
w=$(echo "$info" | awk '/Width:/ {print $2}')
h=$(echo "$info" | awk '/Height:/ {print $2}')
[ "$x" = 0 ] && [ "$y" = 0 ] && [ "$w" = 564 ] && [ "$h" = 234 ] || { echo "unexpected geometry $x,$y ${w}x$h"; exit 1; }
# Frameless: the window asks the window manager for no decorations (_MOTIF_WM_HINTS).
# Fields: flags, functions, decorations. Decorations 0 means no frame and no title bar.
decorations=$(echo "$hints" | sed -n 's/.*= *\(0x[0-9a-f]*\), *\(0x[0-9a-f]*\), *\(0x[0-9a-f]*\).*/\3/p')
[ "$decorations" = 0x0 ] || { echo "board window is not frameless: $hints"; exit 1; }
echo "board ok"
INNER
chmod +x "$tmp/check.sh"
xvfb-run -a -s "-screen 0 1280x800x24" "$tmp/check.sh" "$exe" "$tmp"
