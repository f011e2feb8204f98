#!/usr/bin/env bash
# Draws the pictures of one theme library, or TOPLEX.exe's own web-pane pictures, with ImageMagick
# and the IPA fonts, into an art folder that windres searches.
#
#   make_art.sh Image00 OUT   theme Image00: themes/Image00/style.sh (palette, picture sizes) and
#                             the positions in themes/Image00/Image00.rc
#   make_art.sh toplex OUT    the launcher's own bitmaps
#
# Every picture but the cursor is drawn twice from the same code: at 100 % into OUT and at 200 %
# into OUT/200, by a second process beside the first. OUT/<list>_200.rc then names the 200 %
# pictures, each at its 100 % id + IDB_ART_200, from the list the 100 % ones are named in.
#
# Pictures are 24-bit BI_RGB BMP files; masks are 1-bit with black at index 0 and white at index 1
# (white = the picture shows), the monochrome bitmaps the masked copy of the launcher expects.
# A masked picture is flattened over the colours it will be drawn on, so the antialiased edge
# left inside the mask blends in. Calls are batched: one convert process per group of pictures.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
target=$1
out=$2
CONVERT=${CONVERT:-convert}
FONT_DIR=/usr/share/fonts/opentype/ipafont-gothic
S=${ART_SCALE:-1}
mkdir -p "$out"
rm -f "$out"/*.bmp "$out"/*.cur "$out"/*.rc "$out"/stamp
if [ "$S" = 1 ]; then
  ART_SCALE=2 bash "$0" "$target" "$out/200" &
  twin=$!
  trap 'kill "$twin" 2>/dev/null || true' EXIT
fi

# ---- Scale ---------------------------------------------------------------------------------
# The drawing below is written in 100 % pixels; q turns it into the scale S. Sizes, places, font
# sizes, text offsets and the text's stroke are multiplied; a shape is drawn under an MVG affine
# that takes a pixel centre x to S*x + (S-1)/2, so its stroke widens with it. ImageMagick fills
# every pixel whose centre lies on a shape's outline, so at 100 % a shape covers its outline
# pixels whole; at 200 % those centres fall half a pixel outside, and a fill-only shape is grown
# by that half pixel (a stroke in its own colour) to keep its edges solid. Joins are round: a
# mitred stroke wider than 2 pixels closes an open arc with a chord and breaks a polyline's corner.
case $S in
  1) ;;
  2) AFFINE="affine 2,0,0,2,0.5,0.5" GROW=0.5 JOIN="stroke-linejoin round" ;;
  *) echo "make_art: ART_SCALE is 1 or 2" >&2; exit 1 ;;
esac
FILL=black STROKE=none WIDTH=1 SAVED=()  # the settings a -draw inherits, by parenthesis level
# Every number in $1 times S, into R; a decimal keeps its places. (No subshells: q runs often.)
times() {
  local s=$1 n f d p
  R=""
  while [[ $s =~ ^([^0-9]*)([0-9]+)(\.[0-9]+)?(.*)$ ]]; do
    n=${BASH_REMATCH[2]} f=${BASH_REMATCH[3]#.}
    if [ -n "$f" ]; then
      d=$(((10#$n$f) * S))
      printf -v p "%0${#f}d" $((d % 10 ** ${#f}))
      n=$((d / 10 ** ${#f})).$p
    else n=$((10#$n * S)); fi
    R+=${BASH_REMATCH[1]}$n s=${BASH_REMATCH[4]}
  done
  R+=$s
}
scaled() {
  local a e
  while [ $# -gt 0 ]; do
    a=$1; shift
    case $a in
      '(') SAVED+=("$FILL|$STROKE|$WIDTH"); Q+=("$a") ;;
      ')') e=${SAVED[-1]}; unset 'SAVED[-1]'
           FILL=${e%%|*} e=${e#*|}; STROKE=${e%%|*} WIDTH=${e#*|}; Q+=("$a") ;;
      -size | -geometry | -crop | -pointsize | -annotate) times "$1"; Q+=("$a" "$R"); shift ;;
      -strokewidth) WIDTH=$1; times "$1"; Q+=("$a" "$R"); shift ;;
      -fill) FILL=$1; Q+=("$a" "$1"); shift ;;
      -stroke) STROKE=$1; Q+=("$a" "$1"); shift ;;
      -draw)
        if [ "$STROKE" = none ] && [ "$FILL" != none ]; then
          Q+=("$a" "$AFFINE stroke '$FILL' stroke-width $GROW $JOIN $1")
        else Q+=("$a" "$AFFINE stroke-width $WIDTH $JOIN $1"); fi
        shift ;;
      *) Q+=("$a") ;;
    esac
  done
}

# ---- Batching ------------------------------------------------------------------------------
Q=()
if [ "$S" = 1 ]; then q() { Q+=("$@"); }; else q() { scaled "$@"; }; fi
flush() {
  [ ${#Q[@]} -eq 0 ] && return 0
  "$CONVERT" -respect-parentheses '(' -size 1x1 xc:black xc:white +append -write mpr:bw +delete ')' \
    "${Q[@]}" -size 1x1 xc:none null:
  Q=()
}
# Ends the picture being built: 24-bit file NAME.bmp.
rgb() { q -alpha off -type truecolor -write "BMP3:$out/$1.bmp"; }
# Ends an RGBA picture: NAME.bmp flattened over the background made by the ops after NAME,
# and NAME_mask.bmp from its opacity.
masked() {
  local name=$1; shift
  q '(' +clone "$@" +swap -compose over -composite; rgb "$name"; q +delete ')'
  q -alpha extract -threshold 50% +dither -remap mpr:bw -write "BMP3:$out/${name}_mask.bmp"
}
solid() { echo "(" -size "$1x$2" "xc:$3" ")"; }                  # background op: W H colour
crop() { echo "(" "$out/$1.bmp" -crop "$2x$3+$4+$5" +repage ")"; }  # background op: file W H X Y

# ---- Drawing helpers (ops appended to the picture being built) ----------------------------
# Rounded face W H R TOP BOTTOM EDGE [HIGHLIGHT]: a new RGBA layer, vertical gradient.
face() {
  local w=$1 h=$2 r=$3 top=$4 bot=$5 edge=$6 hi=${7:-}
  q '(' -size "${w}x${h}" "gradient:$top-$bot" '(' -size "${w}x${h}" xc:black -fill white
  if [ "$r" -gt 0 ]; then q -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) $r,$r"
  else q -draw "rectangle 0,0 $((w - 1)),$((h - 1))"; fi
  q ')' -alpha off -compose CopyOpacity -composite -compose over
  if [ -n "$hi" ]; then
    q -fill none -stroke "$hi" -strokewidth 1 -draw "line $((r > 1 ? r : 1)),1 $((w - 1 - (r > 1 ? r : 1))),1"
  fi
  q -fill none -stroke "$edge" -strokewidth 1
  if [ "$r" -gt 0 ]; then q -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) $r,$r"
  else q -draw "rectangle 0,0 $((w - 1)),$((h - 1))"; fi
  q ')'
}
# Places the last layer at X Y over the one before it.
put() { q -geometry "+$1+$2" -compose over -composite; }
# Text SIZE COLOUR DX DY TEXT [bold] [font]: centred, offset by DX DY.
text() {
  local size=$1 color=$2 dx=$3 dy=$4 s=$5 bold=${6:-} font=${7:-$FONT_UI}
  [[ $dx == -* ]] || dx=+$dx
  [[ $dy == -* ]] || dy=+$dy
  q -font "$FONT_DIR/$font" -pointsize "$size" -fill "$color" -gravity center
  if [ -n "$bold" ]; then q -stroke "$color" -strokewidth 0.45; else q -stroke none; fi
  q -annotate "$dx$dy" "$s" -gravity northwest -stroke none
}
# Left-aligned text SIZE COLOUR X DY TEXT [bold] [font]: vertically centred, offset DY.
ltext() {
  local size=$1 color=$2 x=$3 dy=$4 s=$5 bold=${6:-} font=${7:-$FONT_UI}
  [[ $dy == -* ]] || dy=+$dy
  q -font "$FONT_DIR/$font" -pointsize "$size" -fill "$color" -gravity west
  if [ -n "$bold" ]; then q -stroke "$color" -strokewidth 0.45; else q -stroke none; fi
  q -annotate "+$x$dy" "$s" -gravity northwest -stroke none
}
draw() { q -stroke none -fill "$1" -draw "$2"; }                    # filled shape
line() { q -fill none -stroke "$1" -strokewidth "$2" -draw "$3"; }  # stroked shape
# Shifts a list of "x,y" points by DX DY.
pts() {
  local dx=$1 dy=$2 p o=""; shift 2
  for p in "$@"; do o+="$((${p%,*} + dx)),$((${p#*,} + dy)) "; done
  echo "$o"
}

# State colours: sets TOP BOT EDGE TXT GL for normal, pressed, disabled or hover.
state() {
  case $1 in
    normal) TOP=$N_TOP BOT=$N_BOT EDGE=$N_EDGE TXT=$N_TEXT GL=$GLYPH DX=0 ;;
    pressed) TOP=$P_TOP BOT=$P_BOT EDGE=$P_EDGE TXT=$P_TEXT GL=$GLYPH_HOT DX=1 ;;
    disabled) TOP=$D_TOP BOT=$D_BOT EDGE=$D_EDGE TXT=$D_TEXT GL=$D_TEXT DX=0 ;;
    hover) TOP=$H_TOP BOT=$H_BOT EDGE=$H_EDGE TXT=$H_TEXT GL=$GLYPH_HOT DX=0 ;;
  esac
  HI=$TOP
  [ "$1" = pressed ] && HI=""
  return 0
}
STATES="normal pressed disabled hover"

# ---- Glyphs, drawn in colour $GL on a W x H picture offset by $DX -------------------------
glyph() {
  local g=$1 w=$2 h=$3 cx=$(($2 / 2 + DX)) cy=$(($3 / 2 + DX))
  case $g in
    lr_shown)  # icon panel shown: fold it away to the right
      line "$GL" 2 "polyline $((cx - 6)),$((cy - 5)) $((cx - 1)),$cy $((cx - 6)),$((cy + 5))"
      line "$GL" 2 "polyline $((cx)),$((cy - 5)) $((cx + 5)),$cy $((cx)),$((cy + 5))"
      draw "$GL" "rectangle $((cx + 7)),$((cy - 7)) $((cx + 8)),$((cy + 7))" ;;
    lr_hidden)  # icon panel hidden: open it to the left
      draw "$GL" "rectangle $((cx - 9)),$((cy - 7)) $((cx - 8)),$((cy + 7))"
      line "$GL" 2 "polyline $((cx + 1)),$((cy - 5)) $((cx - 4)),$cy $((cx + 1)),$((cy + 5))"
      line "$GL" 2 "polyline $((cx + 7)),$((cy - 5)) $((cx + 2)),$cy $((cx + 7)),$((cy + 5))" ;;
    lupe)
      line "$GL" 2 "circle $((cx - 2)),$((cy - 2)) $((cx - 2)),$((cy - 8))"
      line "$GL" 4 "line $((cx + 3)),$((cy + 3)) $((cx + 7)),$((cy + 7))" ;;
    edit)
      draw "$GL" "polygon $(pts "$cx" "$cy" -8,8 -7,3 3,-7 7,-3 -3,7)"
      line "$TOP" 1 "line $((cx - 6)),$((cy + 2)) $((cx - 2)),$((cy + 6))"
      draw "$GL" "polygon $(pts "$cx" "$cy" 5,-9 9,-5 8,-4 4,-8)" ;;
    help) text 19 "$GL" "$DX" "$DX" "?" bold "$FONT_LOGO" ;;
    trash | trash_open)
      local x=$((11 + DX)) y=$((cy - 8))
      if [ "$g" = trash ]; then
        draw "$GL" "rectangle $((x - 1)),$((y + 1)) $((x + 13)),$((y + 2))"
        draw "$GL" "rectangle $((x + 4)),$((y - 1)) $((x + 8)),$y"
      else
        draw "$GL" "polygon $(pts "$x" "$y" 0,-2 13,-6 13,-4 0,0)"
        draw "$GL" "polygon $(pts "$x" "$y" 3,-4 7,-5 7,-6 3,-5)"
      fi
      draw "$GL" "polygon $(pts "$x" "$y" 0,4 12,4 11,16 1,16)"
      line "$TOP" 1 "line $((x + 4)),$((y + 6)) $((x + 4)),$((y + 14))"
      line "$TOP" 1 "line $((x + 8)),$((y + 6)) $((x + 8)),$((y + 14))" ;;
    up) draw "$GL" "polygon $(pts "$cx" "$cy" -4,2 4,2 0,-2)" ;;
    down) draw "$GL" "polygon $(pts "$cx" "$cy" -4,-2 4,-2 0,2)" ;;
    sb_up) draw "$GL" "polygon $(pts "$cx" "$cy" -4,2 4,2 0,-3)" ;;
    sb_down) draw "$GL" "polygon $(pts "$cx" "$cy" -4,-2 4,-2 0,3)" ;;
  esac
}
# Small theme mark: four tiles in a square, SIZE pixels, at X Y.
mark4() {
  local x=$1 y=$2 s=$3 a=$4 b=$5 t=$(($3 / 2 - 1))
  draw "$a" "roundrectangle $x,$y $((x + t)),$((y + t)) 1,1"
  draw "$b" "roundrectangle $((x + t + 2)),$y $((x + s - 1)),$((y + t)) 1,1"
  draw "$b" "roundrectangle $x,$((y + t + 2)) $((x + t)),$((y + s - 1)) 1,1"
  draw "$a" "roundrectangle $((x + t + 2)),$((y + t + 2)) $((x + s - 1)),$((y + s - 1)) 1,1"
}

# Ends the run: the 100 % run waits for the 200 % one, then names its pictures in NAME_200.rc,
# each BITMAP line of the list LIST again at id + IDB_ART_200 from the 200 folder.
finish() {
  [ "$S" = 1 ] || exit 0
  wait "$twin"
  sed -n 's|^\(ID[^"]*[^ ]\)  *BITMAP  *"\([^"]*\)".*|\1 + IDB_ART_200 BITMAP "200/\2"|p' "$1" > "$out/$2_200.rc"
  touch "$out/stamp"
  exit 0
}

if [ "$target" = toplex ]; then
  . "$here/toplex_art.sh"
  finish "$here/../launcher/app/toplex.rc" toplex_art
fi

# ---- Theme values --------------------------------------------------------------------------
. "$here/$target/style.sh"
rc="$here/$target/$target.rc"
layout="$here/dialog_layout.rc"
# Value of a string-table entry by its name in the theme's resource scripts.
v() {
  local s
  s=$(sed -n "s/^[[:space:]]*$1[[:space:]][[:space:]]*\"\([^\"]*\)\".*/\1/p" "$rc" "$layout" | head -n1)
  [ -n "$s" ] || { echo "make_art: no value $1 in $rc" >&2; exit 1; }
  echo "$s"
}
# Theme coordinates of the button panel to panel-background coordinates.
px() { echo $(($(v "$1") - 3)); }
py() { echo $(($(v "$1") - 21)); }

PANE_W=$(v IDS_THEME_PANE_WIDTH)
PANEL_W=$((640 - PANE_W - 6))
PANEL_H=$((480 - 21 - 3))
PER_PAGE=$(v IDS_MENU_PER_PAGE)
COL_X=$(px IDS_MENU_COLUMN_X) COL_Y=$(py IDS_MENU_COLUMN_Y)
COL_H=$((2 * NAV_H + PER_PAGE * MENU_H))

# ---- Main window: title strips and the close and minimise boxes -----------------------------
title_strip() {  # NAME WIDTH active|inactive
  local w=$2 t=$TITLE_TOP b=$TITLE_BOT l=$TITLE_LINE c=$TITLE_TEXT m1=$LOGO_MARK m2=$TITLE_LINE
  if [ "$3" = inactive ]; then t=$TITLE_OFF_TOP b=$TITLE_OFF_BOT l=$TITLE_OFF_LINE c=$TITLE_OFF_TEXT m1=$l m2=$l; fi
  q '(' -size "${w}x$TITLE_H" "gradient:$t-$b"
  line "$l" 1 "line 0,$((TITLE_H - 1)) $((w - 1)),$((TITLE_H - 1))"
  mark4 5 3 12 "$m1" "$m2"
  ltext 13 "$c" 22 0 "TOPLEX" bold "$FONT_LOGO"
  rgb "$1"; q +delete ')'
}
title_strip title_active_wide $((640 - 6)) active
title_strip title_inactive_wide $((640 - 6)) inactive
title_strip title_active_narrow $PANEL_W active
title_strip title_inactive_narrow $PANEL_W inactive
flush

box() {  # NAME FACE1 FACE2 GLYPH pressed?
  local d=0
  [ "$5" = 1 ] && d=1
  q '(' $(crop title_active_wide 16 13 617 2)
  if [ "$d" = 1 ]; then face 16 13 3 "$3" "$2" "$3"; else face 16 13 3 "$2" "$3" "$3"; fi
  put 0 0
  case $4 in
    close) line "$BOX_GLYPH" 1.6 "line $((5 + d)),$((3 + d)) $((10 + d)),$((8 + d))"
           line "$BOX_GLYPH" 1.6 "line $((10 + d)),$((3 + d)) $((5 + d)),$((8 + d))" ;;
    min) draw "$BOX_GLYPH" "rectangle $((4 + d)),$((8 + d)) $((11 + d)),$((9 + d))" ;;
  esac
  rgb "$1"; q +delete ')'
}
box close "$CLOSE_FACE" "$CLOSE_FACE2" close 0
box close_pressed "$CLOSE_FACE" "$CLOSE_FACE2" close 1
box minimize "$MIN_FACE" "$MIN_FACE2" min 0
box minimize_pressed "$MIN_FACE" "$MIN_FACE2" min 1

# ---- Button panel background: a tray behind the menu column, a groove above the tools --------
TOOLS_Y=$(py IDS_TOOL_LR_Y)
q '(' -size "${PANEL_W}x$PANEL_H" "gradient:$PANEL_TOP-$PANEL_BOT"
line "$WELL_LIGHT" 1 "line 0,0 0,$((PANEL_H - 1))"
draw "$WELL" "rectangle $((COL_X - 3)),$((COL_Y - 3)) $((COL_X + MENU_W + 2)),$((COL_Y + COL_H + 2))"
line "$WELL_DARK" 1 "polyline $((COL_X - 3)),$((COL_Y + COL_H + 2)) $((COL_X - 3)),$((COL_Y - 3)) $((COL_X + MENU_W + 2)),$((COL_Y - 3))"
line "$WELL_LIGHT" 1 "polyline $((COL_X + MENU_W + 3)),$((COL_Y - 3)) $((COL_X + MENU_W + 3)),$((COL_Y + COL_H + 3)) $((COL_X - 3)),$((COL_Y + COL_H + 3))"
line "$WELL_DARK" 1 "line 8,$((TOOLS_Y - 7)) $((PANEL_W - 9)),$((TOOLS_Y - 7))"
line "$WELL_LIGHT" 1 "line 8,$((TOOLS_Y - 6)) $((PANEL_W - 9)),$((TOOLS_Y - 6))"
rgb panel_back; q +delete ')'
flush

# Panel picture: the product mark, drawn on the background it is copied over.
LX=$(px IDS_PANEL_PICTURE_X) LY=$(py IDS_PANEL_PICTURE_Y)
q '(' $(crop panel_back "$LOGO_W" "$LOGO_H" "$LX" "$LY")
mark4 2 5 20 "$LOGO_MARK" "$TITLE_LINE"
ltext 18 "$LOGO_TEXT" 27 -5 "TOPLEX" bold "$FONT_LOGO"
ltext 9 "$LOGO_SUB" 28 9 "デスクトップ ランチャー"
rgb panel_picture; q +delete ')'

# User-name button: the name is drawn by the launcher, centred over the whole button; the
# drop-down mark keeps to the right edge so that a name of nine wide characters clears it.
UX=$(px IDS_USER_BUTTON_X) UY=$(py IDS_USER_BUTTON_Y)
for s in $STATES; do
  state "$s"
  q '(' -size "${USER_W}x$USER_H" xc:none
  face "$USER_W" "$USER_H" $((USER_H / 2 - 1)) "$TOP" "$BOT" "$EDGE" "$HI"; put 0 0
  q -fill "$GL" -stroke none -draw "polygon $(pts $((USER_W - 9 + DX)) $((USER_H / 2 + DX)) -3,-2 3,-2 0,2)"
  masked "user_button_$s" $(crop panel_back "$USER_W" "$USER_H" "$UX" "$UY"); q +delete ')'
done

# Tool buttons: LR, Lupe, Edit and Help square (or round), Trash a wide drop zone.
tool_set() {  # NAME GLYPH THEME_X THEME_Y
  local x y r=$RADIUS s
  x=$(px "$3") y=$(py "$4")
  [ "$TOOL_ROUND" = 1 ] && r=$((TOOL_W / 2 - 1))
  for s in $STATES; do
    state "$s"
    q '(' -size "${TOOL_W}x$TOOL_H" xc:none
    face "$TOOL_W" "$TOOL_H" "$r" "$TOP" "$BOT" "$EDGE" "$HI"; put 0 0
    glyph "$2" "$TOOL_W" "$TOOL_H"
    masked "$1_$s" $(crop panel_back "$TOOL_W" "$TOOL_H" "$x" "$y"); q +delete ')'
  done
}
tool_set tool_lr_shown lr_shown IDS_TOOL_LR_X IDS_TOOL_LR_Y
tool_set tool_lr_hidden lr_hidden IDS_TOOL_LR_X IDS_TOOL_LR_Y
tool_set tool_lupe lupe IDS_TOOL_LUPE_X IDS_TOOL_LUPE_Y
tool_set tool_edit edit IDS_TOOL_EDIT_X IDS_TOOL_EDIT_Y
tool_set tool_help help IDS_TOOL_HELP_X IDS_TOOL_HELP_Y
TX=$(px IDS_TOOL_TRASH_X) TY=$(py IDS_TOOL_TRASH_Y)
for s in $STATES; do
  state "$s"
  g=trash label="ごみ箱"
  # The hover look is what the trash shows while an item is dragged over it.
  if [ "$s" = hover ]; then TOP=$TRASH_HOT BOT=$CLOSE_FACE2 EDGE=$CLOSE_FACE2 GL=$BOX_GLYPH TXT=$BOX_GLYPH HI=""
    g=trash_open label="ドロップで削除"; fi
  q '(' -size "${TRASH_W}x$TRASH_H" xc:none
  face "$TRASH_W" "$TRASH_H" "$RADIUS" "$TOP" "$BOT" "$EDGE" "$HI"; put 0 0
  glyph "$g" "$TRASH_W" "$TRASH_H"
  ltext 12 "$TXT" $((32 + DX)) "$DX" "$label"
  masked "tool_trash_$s" $(crop panel_back "$TRASH_W" "$TRASH_H" "$TX" "$TY"); q +delete ')'
done
flush

# ---- Menu column: plain copies over the tray colour -----------------------------------------
menu_button() {  # NAME TOP BOT EDGE [MARK]
  q '(' -size "${MENU_W}x$MENU_H" "xc:$WELL"
  face "$MENU_W" $((MENU_H - 2)) "$MENU_RADIUS" "$2" "$3" "$4" "$2"; put 0 1
  [ -n "${5:-}" ] && draw "$5" "rectangle 2,4 5,$((MENU_H - 5))"
  rgb "$1"; q +delete ')'
}
menu_button menu_normal "$N_TOP" "$N_BOT" "$N_EDGE"
menu_button menu_hover "$H_TOP" "$H_BOT" "$H_EDGE"
menu_button menu_selected "$S_TOP" "$S_BOT" "$S_EDGE" "$S_MARK"
for dir in prev next; do
  for s in $STATES; do
    state "$s"
    q '(' -size "${MENU_W}x$NAV_H" "xc:$WELL"
    face "$MENU_W" $((NAV_H - 1)) "$MENU_RADIUS" "$TOP" "$BOT" "$EDGE" "$HI"
    if [ $dir = prev ]; then put 0 0; glyph up "$MENU_W" $((NAV_H - 1)); else put 0 1; glyph down "$MENU_W" $((NAV_H + 1)); fi
    rgb "menu_${dir}_$s"; q +delete ')'
  done
done

# ---- Icon panel ------------------------------------------------------------------------------
q '(' -size 64x64 "xc:$GRID_BASE"
for p in 8,8 40,8 24,24 56,24 8,40 40,40 24,56 56,56; do
  draw "$GRID_DOT" "rectangle ${p%,*},${p#*,} $((${p%,*} + 1)),$((${p#*,} + 1))"
  # A one-pixel square, not a point: a point stays one pixel at 200 %.
  draw "$GRID_DOT2" "rectangle $((${p%,*} + 1)),$((${p#*,} + 2)) $((${p%,*} + 1)),$((${p#*,} + 2))"
done
rgb grid_back; q +delete ')'

FW=$(v IDS_TILE_HIT_WIDTH) FH=$(v IDS_TILE_HIT_HEIGHT)
SX=$(v IDS_TILE_PRESS_SHIFT_X) SY=$(v IDS_TILE_PRESS_SHIFT_Y)
TW=$((FW + SX)) TH=$((FH + SY))
GX=$(v IDS_TILE_GRIP_X) GY=$(v IDS_TILE_GRIP_Y) GW=$(v IDS_TILE_GRIP_WIDTH) GH=$(v IDS_TILE_GRIP_HEIGHT)
# The grip band: ridges across its middle, along its longer side.
grip_band() {  # OX OY BAND1 BAND2 RIDGE RIDGE_HI
  local x=$(($1 + GX)) y=$(($2 + GY)) i
  q '(' -size "${GW}x$GH" "gradient:$3-$4" ')'; put "$x" "$y"
  if [ "$GW" -ge "$GH" ]; then
    for i in 0 1 2 3 4 5 6; do
      local rx=$((x + GW / 2 - 12 + i * 4))
      line "$5" 1 "line $rx,$((y + 4)) $rx,$((y + GH - 5))"
      line "$6" 1 "line $((rx + 1)),$((y + 4)) $((rx + 1)),$((y + GH - 5))"
    done
  else
    for i in 0 1 2 3 4 5 6; do
      local ry=$((y + GH / 2 - 12 + i * 4))
      line "$5" 1 "line $((x + 3)),$ry $((x + GW - 4)),$ry"
      line "$6" 1 "line $((x + 3)),$((ry + 1)) $((x + GW - 4)),$((ry + 1))"
    done
  fi
}
# Every tile state shares one outline, the face and its shadow SX SY lower right, and so one mask:
# the panel cuts every state out through the pressed mask. A pressed face moves into the shadow,
# which then shows as the hollow it left.
silhouette() { draw "$1" "roundrectangle 0,0 $((FW - 1)),$((FH - 1)) $TILE_RADIUS,$TILE_RADIUS"
  draw "$1" "roundrectangle $SX,$SY $((TW - 1)),$((TH - 1)) $TILE_RADIUS,$TILE_RADIUS"; }
tile() {  # NAME OX OY TOP BOT EDGE EDGEWIDTH BAND1 BAND2 RIDGE RIDGE_HI
  q '(' -size "${TW}x$TH" "xc:$GRID_BASE"
  silhouette "$TILE_SHADOW"
  face "$FW" "$FH" "$TILE_RADIUS" "$4" "$5" "$6" "$4"; put "$2" "$3"
  grip_band "$2" "$3" "$8" "$9" "${10}" "${11}"
  [ "$7" = 2 ] && line "$6" 1 "roundrectangle $(($2 + 1)),$(($3 + 1)) $(($2 + FW - 2)),$(($3 + FH - 2)) $((TILE_RADIUS - 1)),$((TILE_RADIUS - 1))"
  rgb "$1"; q +delete ')'
}
q "(" -size "${TW}x$TH" xc:none; silhouette white
q -alpha extract -threshold 50% +dither -remap mpr:bw
for s in normal hover pressed grip; do q -write "BMP3:$out/tile_${s}_mask.bmp"; done
q +delete ')'
tile tile_normal 0 0 "$TILE_TOP" "$TILE_BOT" "$TILE_EDGE" 1 "$TILE_BAND" "$TILE_BAND2" "$TILE_RIDGE" "$TILE_RIDGE_HI"
tile tile_hover 0 0 "$TILE_HOT_TOP" "$TILE_HOT_BOT" "$TILE_HOT_EDGE" 2 "$TILE_BAND" "$TILE_BAND2" "$TILE_RIDGE" "$TILE_RIDGE_HI"
tile tile_pressed "$SX" "$SY" "$TILE_BOT" "$TILE_HOT_BOT" "$TILE_HOT_EDGE" 2 "$TILE_BAND2" "$TILE_BAND" "$TILE_RIDGE" "$TILE_RIDGE_HI"
tile tile_grip 0 0 "$TILE_HOT_TOP" "$TILE_HOT_BOT" "$TILE_HOT_EDGE" 2 "$TILE_GRIP_HOT" "$TILE_GRIP_HOT2" "$TILE_RIDGE_HI" "$TILE_GRIP_HOT"

# Mark for items of icon kind 1 (programs): a small badge with a start arrow.
q '(' -size 18x18 xc:none
draw "$MARK_EDGE" "circle 8,8 8,0"
draw "$MARK_FACE" "circle 8,8 8,2"
draw "$MARK_EDGE" "polygon 6,4 12,8 6,12"
masked tile_mark $(solid 18 18 "$TILE_BOT"); q +delete ')'
flush

# Grip cursor: a four-way arrow, hot spot in its middle. ImageMagick writes an icon; a cursor
# file differs in its type word and in two words of the entry that hold the hot spot. The system
# sizes cursors itself, so there is one at 100 % only.
if [ "$S" = 1 ]; then
  q '(' -size 32x32 xc:none -fill white -stroke black -strokewidth 1 -draw "polygon
    16,2 21,7 18,7 18,14 25,14 25,11 30,16 25,21 25,18 18,18 18,25 21,25 16,30 11,25 14,25 14,18
    7,18 7,21 2,16 7,11 7,14 14,14 14,7 11,7" -write "ICO:$out/grip.ico" +delete ')'
  flush
  mv "$out/grip.ico" "$out/grip.cur"
  printf '\002\000' | dd of="$out/grip.cur" bs=1 seek=2 conv=notrunc status=none
  printf '\020\000\020\000' | dd of="$out/grip.cur" bs=1 seek=10 conv=notrunc status=none
fi

# ---- Scroll bars -----------------------------------------------------------------------------
scroll_set() {  # NAME TRACK TRACK2
  local n=$1 t=$2 t2=$3 s d
  q '(' -size 17x8 "xc:$t"
  line "$t2" 1 "line 0,0 0,7"; line "$t2" 1 "line 16,0 16,7"; line "$t2" 1 "line 8,0 8,7"
  rgb "${n}_track"; q +delete ')'
  # Thumb: rows 0-3 and 12-15 are its caps, rows 4-11 are stretched and must not vary.
  q '(' -size 17x16 "xc:$t" '(' '(' -size 16x13 "gradient:$SB_THUMB-$SB_THUMB2" -rotate -90 ')'
  q '(' -size 13x16 xc:black -fill white -draw "roundrectangle 0,0 12,15 4,4" ')'
  q -alpha off -compose CopyOpacity -composite -compose over
  q -fill none -stroke "$SB_EDGE" -draw "roundrectangle 0,0 12,15 4,4" ')' -geometry +2+0 -composite
  rgb "${n}_thumb"; q +delete ')'
  for d in down up; do
    for s in normal pressed disabled; do
      local top=$SB_BTN_TOP bot=$SB_BTN_BOT GL=$SB_ARROW DX=0
      [ $s = pressed ] && { top=$SB_BTN_BOT bot=$SB_BTN_TOP DX=1; }
      [ $s = disabled ] && { top=$SB_BTN_BOT GL=$SB_ARROW_OFF; }
      q '(' -size 17x17 "xc:$t"
      face 17 17 3 "$top" "$bot" "$SB_EDGE"; put 0 0
      glyph "sb_$d" 17 17
      rgb "${n}_${d}_$s"; q +delete ')'
    done
  done
}
scroll_set scroll_panel "$SB_TRACK" "$SB_TRACK2"
scroll_set scroll_userlist "#$(v IDS_FONT_USERLIST_COLOR2)" "$SB_TRACK2"
scroll_set scroll_dialog "#$(v IDS_DLG_LIST_BACK_COLOR)" "$SB_TRACK2"

# ---- Pop-ups: the background is copied at the popup's size, so it carries no right or bottom
# edge; bullets sit at the left of each entry. ------------------------------------------------
q '(' -size "${POPUP_W}x$POPUP_H" "gradient:$POP_TOP-$POP_BOT"
line "$POP_EDGE" 1 "polyline 0,$((POPUP_H - 1)) 0,0 $((POPUP_W - 1)),0"
rgb popup_back; q +delete ')'
B=$BULLET_SIZE C=$((BULLET_SIZE / 2 - 1))
q '(' -size "${B}x$B" xc:none; line "$BULLET" 1.5 "circle $C,$C $C,2"
masked popup_bullet_normal $(solid "$B" "$B" "$POP_TOP"); q +delete ')'
q '(' -size "${B}x$B" xc:none; draw "$BULLET_HOT" "circle $C,$C $C,0"
draw "$POP_BOT" "polygon $((C - 2)),$((C - 4)) $((C + 3)),$C $((C - 2)),$((C + 4))"
masked popup_bullet_hover $(solid "$B" "$B" "$POP_TOP"); q +delete ')'
q '(' -size "${B}x$B" xc:none; draw "$BULLET_DOWN" "circle $((C + 1)),$((C + 1)) $((C + 1)),2"
draw "$POP_BOT" "polygon $((C - 1)),$((C - 2)) $((C + 3)),$((C + 1)) $((C - 1)),$((C + 4))"
masked popup_bullet_pressed $(solid "$B" "$B" "$POP_TOP"); q +delete ')'
flush

# ---- Dialogs: backgrounds with a footer band for OK and Cancel, captions, buttons -------------
dialog_back() {  # NAME W H FOOTER_TOP
  local w=$2 h=$3 f=$4
  q '(' -size "${w}x$h" "gradient:$DLG_TOP-$DLG_BOT"
  draw "$DLG_BOT" "rectangle 1,$f $((w - 2)),$((h - 2))"
  line "#$(v IDS_DLG_FRAME1_COLOR)" 1 "line 8,$f $((w - 9)),$f"
  line "#$(v IDS_DLG_FRAME2_COLOR)" 1 "line 8,$((f + 1)) $((w - 9)),$((f + 1))"
  line "$DLG_EDGE" 1 "rectangle 0,0 $((w - 1)),$((h - 1))"
  rgb "$1"; q +delete ')'
}
OKY=$(v IDS_MENUDLG_OK_Y)
dialog_back dialog_back 300 $((OKY + DLG_BTN_H + 14)) $((OKY - 9))
OKY=$(v IDS_ITEMDLG_OK_Y)
dialog_back item_dialog_back 300 $((OKY + DLG_BTN_H + 14)) $((OKY - 9))
OKY=$(v IDS_MENURENAME_OK_Y)
dialog_back menu_rename_back 212 $((OKY + DLG_BTN_H + 10)) $((OKY - 7))
dialog_back user_rename_back 212 $((OKY + DLG_BTN_H + 10)) $((OKY - 7))
caption() {  # NAME WIDTH active|inactive [TEXT]
  local t=$CAP_TOP b=$CAP_BOT l=$CAP_LINE m1=$LOGO_MARK c=$CAP_TEXT
  [ "$3" = inactive ] && { t=$CAP_OFF_TOP b=$CAP_OFF_BOT l=$CAP_OFF_LINE m1=$CAP_OFF_LINE c=$CAP_OFF_TEXT; }
  q '(' -size "$2x19" "gradient:$t-$b"
  line "$l" 1 "line 0,18 $(($2 - 1)),18"
  mark4 4 3 12 "$m1" "$l"
  [ -n "${4:-}" ] && ltext 12 "$c" 21 0 "$4"
  rgb "$1"; q +delete ')'
}
caption caption_active 298 active
caption caption_inactive 298 inactive
caption rename_caption_active 210 active "名称変更"
caption rename_caption_inactive 210 inactive "名称変更"
flush

dlg_button() {  # NAME W H LABEL BACKGROUND-OPS...
  local n=$1 w=$2 h=$3 label=$4 s; shift 4
  for s in $STATES; do
    state "$s"
    q '(' -size "${w}x$h" xc:none
    face "$w" "$h" "$RADIUS" "$TOP" "$BOT" "$EDGE" "$HI"; put 0 0
    text 12 "$TXT" "$DX" "$DX" "$label"
    masked "${n}_$s" "$@"; q +delete ')'
  done
}
at() { crop dialog_back "$1" "$2" "$(v "$3")" "$(v "$4")"; }
dlg_button dlg_ok "$DLG_BTN_W" "$DLG_BTN_H" "OK" $(at "$DLG_BTN_W" "$DLG_BTN_H" IDS_MENUDLG_OK_X IDS_MENUDLG_OK_Y)
dlg_button dlg_cancel "$DLG_BTN_W" "$DLG_BTN_H" "キャンセル" $(at "$DLG_BTN_W" "$DLG_BTN_H" IDS_MENUDLG_CANCEL_X IDS_MENUDLG_CANCEL_Y)
dlg_button dlg_add "$SIDE_BTN_W" "$SIDE_BTN_H" "追加" $(at "$SIDE_BTN_W" "$SIDE_BTN_H" IDS_MENUDLG_ADD_X IDS_MENUDLG_ADD_Y)
dlg_button dlg_up "$SIDE_BTN_W" "$SIDE_BTN_H" "▲ 上に移動" $(at "$SIDE_BTN_W" "$SIDE_BTN_H" IDS_MENUDLG_UP_X IDS_MENUDLG_UP_Y)
dlg_button dlg_down "$SIDE_BTN_W" "$SIDE_BTN_H" "▼ 下に移動" $(at "$SIDE_BTN_W" "$SIDE_BTN_H" IDS_MENUDLG_DOWN_X IDS_MENUDLG_DOWN_Y)
dlg_button dlg_rename "$SIDE_BTN_W" "$SIDE_BTN_H" "名称変更" $(at "$SIDE_BTN_W" "$SIDE_BTN_H" IDS_MENUDLG_RENAME_X IDS_MENUDLG_RENAME_Y)
dlg_button dlg_delete "$SIDE_BTN_W" "$SIDE_BTN_H" "削除" $(at "$SIDE_BTN_W" "$SIDE_BTN_H" IDS_MENUDLG_DELETE_X IDS_MENUDLG_DELETE_Y)
flush

finish "$here/theme_art.rc" theme_art
