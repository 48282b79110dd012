#!/bin/bash
# The producer's catalogue editor with real input, on a copy of the sample CD:
#   1. A new Titel and a Danish description typed into the first demo: the reader's page beside
#      the form changes with each (pictures before and after).
#   2. A Kategori the menu does not know ("sport") marks the field in red and the demo in the
#      list; typing it right ("Sport") takes both away again.
#   3. Ctrl+S: the saved file differs from the original in the two changed lines only, keeps the
#      earlier one as Spil.INI.bak, and the CD check reads it without an error.
#   4. A letter outside Windows-1252 ("Ł") typed and saved: the editor says so and the file on disk
#      stays as it was; closing asks about the unsaved change.
#   5. make-cd.sh refuses an output folder that holds the producer's own files.
# Arguments: <menu exe> <build folder> <source folder>
set -euo pipefail
EXE=$1 BUILD=$2 SRC=$3
SHOTS=$(mktemp -d)
EDITOR_PID=
cleanup() {
  [ -z "$EDITOR_PID" ] || kill "$EDITOR_PID" 2>/dev/null || true
  rm -rf "$SHOTS"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  import -window root "$BUILD/editor-session-failure.png" 2>/dev/null || true
  exit 1
}
[ -n "${DISPLAY:-}" ] || fail "no screen: run through tools/run-tests.sh"

# A CD of our own: a copy of the sample CD.
CD="$SHOTS/cd"
cp -r "$BUILD/cd" "$CD"
cp "$CD/Spil.INI" "$SHOTS/original.ini"

timeout 200 wine "$BUILD/REDAKTOR.exe" "Z:$(echo "$CD" | tr / '\\')" </dev/null >"$SHOTS/editor.out" 2>&1 &
EDITOR_PID=$!
WIN=
for _ in $(seq 150); do
  WIN=$(xdotool search --name 'Spil.INI - Vindrel catalogue editor' 2>/dev/null | head -1) && [ -n "$WIN" ] && break
  sleep 0.2
done
[ -n "$WIN" ] || fail "the editor's window did not come"
eval "$(xdotool getwindowgeometry --shell "$WIN")"  # X Y WIDTH HEIGHT
# The right part of the window is the reader's page; the left the list and the form.
PAGE_X=$((X + 630)) PAGE_W=$((WIDTH - 630))
shot() { import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage -define png:exclude-chunk=date,time "$SHOTS/$1.png"; }
page_of() { convert "$SHOTS/$1.png" -crop "${PAGE_W}x$((HEIGHT - 150))+630+40" +repage "$SHOTS/$1-page.png"; }
form_of() { convert "$SHOTS/$1.png" -crop "640x$HEIGHT+0+0" +repage "$SHOTS/$1-form.png"; }
differs() { compare -metric AE "$SHOTS/$1.png" "$SHOTS/$2.png" null: 2>&1 || true; }
# Pixels of the marks' red (an error beside a field), its edges smoothed or not.
red_marks() { convert "$SHOTS/$1-form.png" -fuzz 25% -fill black +opaque 'rgb(200,0,0)' -fill white -opaque 'rgb(200,0,0)' \
  -format '%[fx:round(mean*w*h)]' info:; }
settled() { # <name>: a shot once two in a row are the same
  shot "$1"
  for _ in $(seq 25); do
    sleep 0.3
    shot "$1.next"
    cmp -s "$SHOTS/$1.png" "$SHOTS/$1.next.png" && break
    mv "$SHOTS/$1.next.png" "$SHOTS/$1.png"
  done
  page_of "$1"
  form_of "$1"
}
keys() { xdotool key --delay 40 "$@"; }
typed() { xdotool type --delay 100 "$1"; }
# A field chosen with the pointer (its place in the window, which its size does not move), its
# text selected whole, so that what is typed replaces it.
field() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1 mousemove 0 0; sleep 0.3; keys ctrl+Home ctrl+shift+End; }
TITEL="450 87" KATEGORI="440 177" DANSK="440 300"
sleep 1
settled before

# 1. A new Titel, then a new Danish description.
field $TITEL
typed "Stormfront Rally"
settled titled
[ "$(differs before-page titled-page)" -gt 20 ] || fail "the game page did not change with the new Titel"
field $DANSK
typed "Nu med sne og is paa alle baner."
settled described
[ "$(differs titled-page described-page)" -gt 20 ] || fail "the game page did not change with the new Danish description"

# 2. A Kategori the menu does not know.
[ "$(red_marks described)" = 0 ] || fail "an error mark before any error"
field $KATEGORI
typed "sport"
sleep 1.5
settled wrong
[ "$(red_marks wrong)" -gt 3 ] || fail "no error mark beside Kategori for \"sport\""
convert "$SHOTS/described.png" -crop "16x400+6+40" +repage "$SHOTS/list-before.png"
convert "$SHOTS/wrong.png" -crop "16x400+6+40" +repage "$SHOTS/list-wrong.png"
[ "$(differs list-before list-wrong)" -gt 0 ] || fail "the list did not mark the demo"
field $KATEGORI
typed "Sport"
sleep 1.5
settled mended
[ "$(red_marks mended)" = 0 ] || fail "the error mark stayed after Kategori was mended"
convert "$SHOTS/mended.png" -crop "16x400+6+40" +repage "$SHOTS/list-mended.png"
[ "$(differs list-before list-mended)" = 0 ] || fail "the list's mark stayed after Kategori was mended"

# 3. Saved: two lines changed, the rest byte for byte, the earlier file kept.
keys ctrl+s
for _ in $(seq 50); do [ -f "$CD/Spil.INI.bak" ] && break; sleep 0.2; done
[ -f "$CD/Spil.INI.bak" ] || fail "Ctrl+S wrote no Spil.INI.bak"
cmp -s "$CD/Spil.INI.bak" "$SHOTS/original.ini" || fail "Spil.INI.bak is not the earlier catalogue"
python3 - "$SHOTS/original.ini" "$CD/Spil.INI" <<'EOF' || fail "the saved catalogue differs in more than the two lines typed"
import sys
a = open(sys.argv[1], "rb").read().split(b"\r\n")
b = open(sys.argv[2], "rb").read().split(b"\r\n")
changed = [(x, y) for x, y in zip(a, b) if x != y]
assert len(a) == len(b), (len(a), len(b))
assert [y for _, y in changed] == [b"Titel=Stormfront Rally", b"Dansk=Nu med sne og is paa alle baner."], changed
EOF
"$BUILD/../cdcheck/cdcheck" "$CD" >"$SHOTS/check.txt" || fail "the check finds errors in the saved catalogue: $(cat "$SHOTS/check.txt")"
grep -q '^cdcheck: edition' "$SHOTS/check.txt" || fail "the check did not read the saved catalogue"
echo "typed, marked, mended, saved: ok"

# 4. A letter the menu's code page lacks, in Titel: named, and nothing written.
cp "$CD/Spil.INI" "$SHOTS/saved.ini"
# (No key of the keyboard's map gives it: it is pasted, as a producer would from another text.)
timeout 30 wine "$BUILD/tests/cliptext.exe" 0141 </dev/null >/dev/null 2>&1 || fail "the letter could not be put on the clipboard"
field $TITEL
keys ctrl+v
keys ctrl+s
BOX=
for _ in $(seq 50); do
  BOX=$(xdotool search --name '^Vindrel catalogue editor$' 2>/dev/null | head -1) && [ -n "$BOX" ] && break
  sleep 0.2
done
[ -n "$BOX" ] || fail "saving a letter outside Windows-1252 said nothing"
cmp -s "$CD/Spil.INI" "$SHOTS/saved.ini" || fail "the catalogue was written with a letter outside Windows-1252"
keys Return
sleep 0.5
# Closing with that change unsaved asks first; No ends the editor without writing.
keys alt+F4
for _ in $(seq 50); do
  BOX=$(xdotool search --name '^Vindrel catalogue editor$' 2>/dev/null | head -1) && [ -n "$BOX" ] && break
  sleep 0.2
done
[ -n "$BOX" ] || fail "closing with an unsaved change asked nothing"
keys n
for _ in $(seq 50); do kill -0 "$EDITOR_PID" 2>/dev/null || break; sleep 0.2; done
! kill -0 "$EDITOR_PID" 2>/dev/null || fail "the editor did not end after No"
EDITOR_PID=
cmp -s "$CD/Spil.INI" "$SHOTS/saved.ini" || fail "No to saving wrote the catalogue"
echo "a letter outside Windows-1252, and closing: ok"

# 5. make-cd.sh on the producer's own folder: refused, nothing touched.
MINE="$SHOTS/mine"
mkdir -p "$MINE/Demos"
cp "$SHOTS/saved.ini" "$MINE/Spil.INI"
echo "my notes" >"$MINE/notes.txt"
rc=0
bash "$SRC/tools/make-cd.sh" "$MINE/Spil.INI" "$MINE" "$MINE" --menu "$EXE" --dxsetup "$EXE" --no-check \
  2>"$SHOTS/make-cd.txt" || rc=$?
[ "$rc" = 2 ] || fail "make-cd.sh into the demos folder ended with $rc"
grep -q 'refused' "$SHOTS/make-cd.txt" || fail "make-cd.sh did not say why: $(cat "$SHOTS/make-cd.txt")"
[ -f "$MINE/notes.txt" ] && cmp -s "$MINE/Spil.INI" "$SHOTS/saved.ini" || fail "make-cd.sh touched the producer's files"
[ ! -e "$MINE.tmp" ] || fail "make-cd.sh left $MINE.tmp behind"
echo "make-cd refusal: ok"

# 6. The editor makes a CD folder: never in the producer's own folder; in a new one, whole, with
#    the edition on its label, checked and proofed.
winpath() { echo "Z:$1" | tr / '\\'; }
timeout 100 wine "$BUILD/REDAKTOR.exe" "$(winpath "$CD")" /makecd "$(winpath "$CD")" "$(winpath "$SHOTS/refused.txt")" \
  </dev/null >/dev/null 2>&1 || true
iconv -f UTF-8 -t UTF-8 "$SHOTS/refused.txt" | grep -q 'was not made' || fail "the editor made a CD in the producer's folder"
cmp -s "$CD/Spil.INI" "$SHOTS/saved.ini" || fail "the refused CD folder touched the catalogue"
timeout 250 wine "$BUILD/REDAKTOR.exe" "$(winpath "$CD")" /makecd "$(winpath "$SHOTS/made")" "$(winpath "$SHOTS/made.txt")" \
  </dev/null >/dev/null 2>&1 || true
grep -q 'is made' "$SHOTS/made.txt" || fail "the editor did not make the CD folder: $(cat "$SHOTS/made.txt" 2>/dev/null)"
grep -q '0 errors' "$SHOTS/made.txt" || fail "the check found errors on the CD folder made: $(cat "$SHOTS/made.txt")"
for f in VINDREL.EXE DirectX7/DXSetup.EXE Diverse/verdana.ttf Spil.INI autorun.inf; do
  [ -f "$SHOTS/made/$f" ] || fail "the CD folder made has no $f"
done
cmp -s "$SHOTS/made/Spil.INI" "$SHOTS/saved.ini" || fail "the CD folder made has another catalogue"
grep -q "^label=Vindrel Spil-CD $("$BUILD/../cdcheck/cdcheck" --edition "$SHOTS/made")"$'\r$' "$SHOTS/made/autorun.inf" ||
  fail "autorun.inf is not labelled with the edition"
echo "the editor's CD folder: ok ($(tr '\n' ' ' <"$SHOTS/made.txt" | grep -o 'The proof.*' || echo 'no proof'))"
