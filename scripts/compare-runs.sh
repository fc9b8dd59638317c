#!/bin/sh
# Runs two builds of the program through the same scripted sessions and compares what
# they leave: the settings file byte for byte, and the dumps with the clock's readings
# (event times, processor time, the board's clock) taken out.
#   scripts/compare-runs.sh OLD_EXE NEW_EXE DEMO_DIR
# Prints one line per session and file; the status is 0 when everything is the same.
set -eu
old=$(realpath "$1") new=$(realpath "$2") demo=$(realpath "$3")
work=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] && echo "kept $work" || rm -rf "$work"' EXIT
cp -r "$demo" "$work/demo"
d=$work/demo

# 1. From no settings file: every page of the options changed through the dialog, a
#    route set, steps and a key with the new sounds, the panel and board moved, saved.
cat > "$work/1.script" <<S
click frmCtl.Command4
set frmOption.Text2(0) "$d"
set frmOption.Text2(1) "$d/"
click frmOption.Option1(1)
select frmOption.Combo2 7
set frmOption.Check2 1
click frmOption.Option3(1)
click frmOption.Option3(6)
set frmOption.txtSelectPanel(0) /x/off.bmp
click frmOption.Option3(2)
set frmOption.txtSelectPanel(1) /x/on1.jpg
click frmOption.Command5(1)
set Qv3ChooseColor.Html "#102030"
answer AddCustom
answer OK
click frmOption.Option1(2)
click frmOption.Check3(0)
select frmOption.Combo4(0) 5
click frmOption.Check3(3)
select frmOption.Combo4(4) 2
select frmOption.Combo4(3) 20
click frmOption.Command8(2)
set Qv3ChooseColor.Html "#00ff00"
answer OK
click frmOption.Option1(3)
select frmOption.Combo3 2
set frmOption.Check4 1
click frmOption.Option1(4)
set frmOption.txtSelectSound(0) /s/route.wav
set frmOption.txtSelectSound(1) /s/key.wav
click frmOption.Option2(1)
select frmOption.Combo1 3
set frmOption.txtSelectSound(7) /s/step.wav
set frmOption.txtSelectSound(8) /s/1.wav
click frmOption.Option6(0)
click frmOption.Option5(0)
click frmOption.Option7(1)
set frmOption.txtSelectSound(3) /s/t.wav
click frmOption.Option1(5)
click frmOption.Option4(1)
click frmOption.Command4
dump @/1a.json
select frmCtl.List2(4) 1
select frmCtl.List3(2) 1
click frmCtl.Command1(0)
idle
click frmCtl.Command2(1)
idle
click frmCtl.Command2(1)
idle
click frmCtl.Check2
click frmCtl.Option4(1)
set frmCtl.HScroll1(0) 321
move frmCtl 40 50
drag Form1 30 20
dump @/1b.json
close
answer Yes
S

# 2. From that file: the panel page changed and the dialog closed by the frame; a
#    setting control changed with the dialog hidden (a script's property) counts at
#    once (the keys' sound) and reaches the board at the next OK (a digit colour); a
#    route set on the fixed ticket date; saved.
cat > "$work/2.script" <<S
dump @/2a.json
click frmCtl.Command4
click frmOption.Option1(4)
set frmOption.txtSelectSound(1) /s/other-key.wav
click frmOption.Option1(1)
click frmOption.Option3(0)
set frmOption.Check1 0
click frmOption.Option1(5)
click frmOption.Option4(2)
click frmOption.chkUseSeiriPrev
dump @/2b.json
key frmOption Esc
dump @/2c.json
prop frmOption.txtSelectSound(1) text /s/prop-key.wav
prop frmOption.Command8(0) BackColor 0x123456
select frmCtl.List2(4) 1
select frmCtl.List3(2) 1
click frmCtl.Command1(0)
idle
click frmCtl.Command4
click frmOption.Command4
dump @/2d.json
close
answer Yes
S

# 3. A file with stored values the controls show their own way (a greyed box, an
#    option stored as 1): read and written back without a change.
# 4. A damaged file: refused, kept, and the exit writes the windows' state.
cat > "$work/3.script" <<S
dump @/3a.json
close
answer Yes
S
cat > "$work/4.script" <<S
answer OK
dump @/4a.json
close
answer Yes
S
# 5. The operator's trip: a refused route on the lists, a route set on the keypad, steps with and
#    without late-night fares, the backlight levels, blanking and back; saved.
cat > "$work/5.script" <<S
click frmCtl.Command4
set frmOption.Text2(0) "$d"
click frmOption.Command4
select frmCtl.List2(3) 9
select frmCtl.List2(4) 9
select frmCtl.List3(2) 1
click frmCtl.Command1(0)
answer OK
dump @/5a.json
dblclick frmCtl.Frame1(0)
click frmCtl.CommandButton1(10)
click frmCtl.CommandButton1(2)
click frmCtl.CommandButton1(11)
click frmCtl.CommandButton1(1)
click frmCtl.Command1(1)
idle
click frmCtl.Command2(1)
click frmCtl.Check2
click frmCtl.Command2(1)
click frmCtl.Option4(1)
click frmCtl.Option4(2)
dump @/5b.json
click frmCtl.Check1
dump @/5c.json
click frmCtl.Check1
click frmCtl.Command2(0)
click frmCtl.Option4(0)
dump @/5d.json
close
answer Yes
S

same=0
for exe in old new; do
    eval bin=\$$exe
    # The same folder for both builds: the settings file's path shows in the dumps.
    run=$work/run
    mkdir -p "$run"
    for n in 1 2 3 4 5; do
        if [ "$n" = 3 ]; then
            python3 - "$run/207_000.in4" "$run/odd.in4" <<'P'
import sys, struct
b = bytearray(open(sys.argv[1], 'rb').read())
at = 0
for _ in range(2):
    at += 2 + struct.unpack_from('<H', b, at)[0]
struct.pack_into('<h', b, at, 2)        # AutoSeiriNum: greyed
struct.pack_into('<h', b, at + 20, 1)   # PanelEach: an option stored as 1
open(sys.argv[2], 'wb').write(b)
P
            cp "$run/odd.in4" "$run/207_000.in4"
        fi
        [ "$n" = 4 ] && head -c 100 "$run/odd.in4" > "$run/207_000.in4" && rm -f "$run"/207_000.in4.damaged*
        sed "s|@/|$run/$n-|g" "$work/$n.script" > "$run/$n.script"
        (cd "$run" && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$bin" --settings "$run/207_000.in4" \
            --script "$run/$n.script" > "$run/$n.out" 2>&1) || echo "$exe session $n: exit $?"
        cp "$run/207_000.in4" "$run/$n.in4"
    done
    mv "$run" "$work/$exe"
done

for f in $(cd "$work/old" && ls *.in4 *.json | sort); do
    case $f in *.json)
        for exe in old new; do
            python3 - "$work/$exe/$f" > "$work/$exe/$f.norm" <<'P'
import json, sys
d = json.load(open(sys.argv[1]))
d.pop('process', None)
d.get('seirikenDraw', {}).pop('time', None)
for e in d.get('events', []):
    e.pop('ms', None)
for k in list(d.get('degits', {})):
    if 'TimeDegit' in k:
        d['degits'].pop(k)
for k in list(d.get('controls', {})):
    if 'TimeDegit' in k:
        d['controls'].pop(k)
print(json.dumps(d, sort_keys=True, indent=1, ensure_ascii=False))
P
        done
        a=$work/old/$f.norm b=$work/new/$f.norm ;;
    *) a=$work/old/$f b=$work/new/$f ;;
    esac
    if cmp -s "$a" "$b"; then
        echo "same      $f ($(wc -c < "$work/old/$f") bytes)"
    else
        echo "DIFFERENT $f"
        diff "$a" "$b" | head -20
        same=1
    fi
done
exit $same
