#!/usr/bin/env bash
# Preview of a theme's art: the main window and the menu dialog put together from the pictures at
# the theme's positions (as the launcher lays them out), above a labelled sheet of every picture.
#   preview.sh Image00 ART_FOLDER OUT.png
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
theme=$1 art=$2 png=$3
CONVERT=${CONVERT:-convert}
MONTAGE=${MONTAGE:-montage}
FONT=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
rc="$here/$theme/$theme.rc"
layout="$here/dialog_layout.rc"
. "$here/$theme/style.sh"
v() { sed -n "s/^[[:space:]]*$1[[:space:]][[:space:]]*\"\([^\"]*\)\".*/\1/p" "$rc" "$layout" | head -n1; }
c() { echo "#$(v "$1")"; }
tmp=${PREVIEW_TMP:-$(mktemp -d)}; mkdir -p "$tmp"
[ -n "${PREVIEW_TMP:-}" ] || trap 'rm -rf "$tmp"' EXIT
a() { echo "$art/$1.bmp"; }
# Masked copy: picture where its mask is white.
m() { echo "(" "$(a "$1")" "$(a "$1_mask")" -alpha off -compose CopyOpacity -composite -compose over ")"; }

PW=$(v IDS_THEME_PANE_WIDTH)
BX=$((PW + 3 - 3)) BY=0   # theme coordinates to window coordinates
GX=$(($(v IDS_GRID_LEFT) + 3)) GY=$(($(v IDS_GRID_TOP) + 21))
CW=$(v IDS_GRID_COLUMN_WIDTH) RH=$(v IDS_GRID_ROW_HEIGHT)
SX=$(v IDS_TILE_PRESS_SHIFT_X) SY=$(v IDS_TILE_PRESS_SHIFT_Y)
NX=$(v IDS_TILE_NAME_LEFT) NY=$(v IDS_TILE_NAME_TOP) NW=$(v IDS_TILE_NAME_WIDTH) NH=$(v IDS_TILE_NAME_HEIGHT)
IX=$(v IDS_TILE_ICON_X) IY=$(v IDS_TILE_ICON_Y)
OX=$(v IDS_TILE_OVERLAY_X) OY=$(v IDS_TILE_OVERLAY_Y)
PER=$(v IDS_MENU_PER_PAGE)
CX=$(($(v IDS_MENU_COLUMN_X) + BX)) CY=$(($(v IDS_MENU_COLUMN_Y) + BY))

# A stand-in program icon.
"$CONVERT" -size 32x32 xc:none -fill '#3A8EE6' -stroke '#1D4F8A' -draw 'roundrectangle 2,2 29,29 5,5' \
  -fill '#FFFFFF' -stroke none -draw 'rectangle 7,9 24,12' -draw 'rectangle 7,15 20,18' \
  -draw 'rectangle 7,21 22,24' "$tmp/icon.png"

args=(-size 640x480 "xc:$(c IDS_FRAME_BACK_COLOR)" -fill none -stroke "$(c IDS_FRAME_OUTER_COLOR)"
  -draw 'rectangle 0,0 639,479' -stroke "$(c IDS_FRAME_INNER_COLOR)" -draw 'rectangle 1,1 638,478' -stroke none
  "$(a title_active_wide)" -geometry +3+3 -composite
  "$(a close)" -geometry +620+5 -composite "$(a minimize)" -geometry +604+5 -composite
  '(' -size 481x456 "tile:$(a grid_back)")
names=("メモ帳" "インターネット エクスプローラー" "電卓" "ペイント" "エクスプローラー" "コマンド プロンプト" "ワードパッド" "ヘルプとサポート")
states=(normal hover pressed grip normal normal normal normal)
for i in 0 1 2 3 4 5 6 7; do
  col=$((i % 3)) row=$((i / 3))
  x=$((GX - 3 + col * CW)) y=$((GY - 21 + row * RH - 40))
  s=${states[$i]} d=0
  [ "$s" = pressed ] && d=1
  ox=$((d * SX)) oy=$((d * SY))
  args+=('(' "$(a tile_$s)" "$(a tile_${s}_mask)" -alpha off -compose CopyOpacity -composite -compose over
    "$tmp/icon.png" -geometry "+$((IX + ox))+$((IY + oy))" -composite)
  [ $i = 0 ] && args+=($(m tile_mark) -geometry "+$((OX + ox))+$((OY + oy))" -composite)
  args+=('(' -size "${NW}x$NH" -background none -fill "$(c IDS_FONT_TILE_COLOR1)" -font "$FONT" -pointsize 12
    -gravity north "caption:${names[$i]}" ')' -gravity northwest -geometry "+$((NX + ox))+$((NY + oy))" -composite
    ')' -geometry "+$x+$y" -composite)
done
args+=(')' -geometry +3+21 -composite
  '(' "$(a scroll_panel_up_normal)" '(' -size 17x422 "tile:$(a scroll_panel_track)" ')' -append
  "$(a scroll_panel_down_normal)" -append ')' -geometry +484+21 -composite
  '(' '(' "$(a scroll_panel_thumb)" -crop 17x4+0+0 +repage ')' '(' "$(a scroll_panel_thumb)" -crop 17x8+0+4 +repage
  -resize '17x120!' ')' '(' "$(a scroll_panel_thumb)" -crop 17x4+0+12 +repage ')' -append ')' -geometry +484+40 -composite)
args+=("$(a panel_back)" -geometry +501+21 -composite
  "$(a panel_picture)" -geometry "+$(($(v IDS_PANEL_PICTURE_X) + BX))+$(($(v IDS_PANEL_PICTURE_Y) + BY))" -composite
  '(' $(m user_button_normal) -fill "$(c IDS_FONT_USER_COLOR2)" -font "$FONT" -pointsize 12 -gravity center
  -annotate +1+1 'ユーザー 1' -fill "$(c IDS_FONT_USER_COLOR1)" -annotate +0+0 'ユーザー 1' ')' -gravity northwest
  -geometry "+$(($(v IDS_USER_BUTTON_X) + BX))+$(($(v IDS_USER_BUTTON_Y) + BY))" -composite
  "$(a menu_prev_disabled)" -geometry "+$CX+$CY" -composite)
menus=("お気に入り" "アプリケーション" "ゲーム" "ツール" "インターネット" "ドキュメント" "音楽と動画" "その他")
y=$((CY + NAV_H))
for k in $(seq 0 $((PER - 1))); do
  img=menu_normal
  [ $k = 1 ] && img=menu_selected
  [ $k = 3 ] && img=menu_hover
  args+=('(' "$(a $img)" -font "$FONT" -pointsize "$(v IDS_FONT_MENU_HEIGHT)" -gravity center)
  [ $k != 1 ] && args+=(-fill "$(c IDS_FONT_MENU_COLOR2)" -annotate +1+1 "${menus[$k]}")
  args+=(-fill "$(c IDS_FONT_MENU_COLOR1)" -stroke "$(c IDS_FONT_MENU_COLOR1)" -strokewidth 0.4 -annotate +0+0 "${menus[$k]}"
    -stroke none ')' -gravity northwest -geometry "+$CX+$y" -composite)
  y=$((y + MENU_H))
done
args+=("$(a menu_next_normal)" -geometry "+$CX+$y" -composite)
for t in lr_shown:LR lupe:LUPE edit:EDIT help:HELP trash:TRASH; do
  st=normal
  [ "${t%%:*}" = lupe ] && st=hover
  args+=($(m tool_${t%%:*}_$st) -geometry "+$(($(v IDS_TOOL_${t##*:}_X) + BX))+$(($(v IDS_TOOL_${t##*:}_Y) + BY))" -composite)
done
"$CONVERT" -respect-parentheses "${args[@]}" "$tmp/main.png"

# Menu dialog as the launcher paints it: background, caption and title, frames, labels, controls.
frame() { local x=$1 y=$2 w=$3 h=$4
  dargs+=(-fill none -stroke "$(c IDS_DLG_FRAME1_COLOR)" -draw "rectangle $x,$y $((x + w - 2)),$((y + h - 2))"
    -stroke "$(c IDS_DLG_FRAME2_COLOR)" -draw "rectangle $((x + 1)),$((y + 1)) $((x + w - 1)),$((y + h - 1))" -stroke none); }
# A label as the shadow-text primitive draws it: background restored under it, shadow 1 right 2 down.
lbl() { local x=$1 y=$2 w=$3 back=${5:-dialog_back} bx=${6:-$1} by=${7:-$2}
  dargs+=('(' "$(a "$back")" -crop "${w}x16+$bx+$by" +repage ')' -geometry "+$x+$y" -composite
    -fill "$(c IDS_DLG_SHADOW_COLOR)" -annotate "+$((x + 2))+$((y + 2))" "$4"
    -fill "$(c IDS_DLG_TEXT_COLOR)" -annotate "+$((x + 1))+$y" "$4"); }
box() { dargs+=(-fill "$(c "$5")" -stroke "$(c IDS_DLG_FRAME1_COLOR)" -draw "rectangle $1,$2 $(($1 + $3 - 1)),$(($2 + $4 - 1))" -stroke none); }
V() { v IDS_MENUDLG_$1; }
dargs=("$(a dialog_back)" "$(a caption_active)" -geometry +1+1 -composite "$(a close)" -geometry +283+3 -composite
  -font "$FONT" -pointsize 12 -gravity northwest)
frame "$(V ADD_FRAME_X)" "$(V ADD_FRAME_Y)" "$(V ADD_FRAME_WIDTH)" "$(V ADD_FRAME_HEIGHT)"
frame "$(V LIST_FRAME_X)" "$(V LIST_FRAME_Y)" "$(V LIST_FRAME_WIDTH)" "$(V LIST_FRAME_HEIGHT)"
box "$(V EDIT_X)" "$(V EDIT_Y)" "$(V EDIT_WIDTH)" "$(V EDIT_HEIGHT)" IDS_DLG_EDIT_BACK_COLOR
box "$(V LIST_X)" "$(V LIST_Y)" "$(V LIST_WIDTH)" "$(V LIST_HEIGHT)" IDS_DLG_LIST_BACK_COLOR
lbl "$(V ADD_LABEL_X)" "$(V ADD_LABEL_Y)" 104 "メニュー追加(M)"
lbl "$(V LIST_LABEL_X)" "$(V LIST_LABEL_Y)" 214 "メニュー順序変更・名称変更・削除(E)"
lbl 21 3 150 "メニュー追加・変更・削除" caption_active 20 2
dargs+=(-fill "$(c IDS_DLG_LIST_TEXT_COLOR)")
y=$(($(V LIST_Y) + 2))
for n in "${menus[@]:0:6}"; do dargs+=(-annotate "+$(($(V LIST_X) + 3))+$y" "$n"); y=$((y + 16)); done
for b in ADD:add:disabled UP:up:normal DOWN:down:hover RENAME:rename:normal DELETE:delete:pressed OK:ok:normal CANCEL:cancel:normal; do
  IFS=: read -r id f s <<< "$b"
  dargs+=($(m dlg_${f}_$s) -geometry "+$(V ${id}_X)+$(V ${id}_Y)" -composite)
done
"$CONVERT" -respect-parentheses "${dargs[@]}" "$tmp/dialog.png"

# Pop-up: background at a typical size, two entries.
"$CONVERT" "$(a popup_back)" -crop 153x64+0+0 +repage \
  $(m popup_bullet_normal) -geometry +9+11 -composite $(m popup_bullet_hover) -geometry +9+38 -composite \
  -font "$FONT" -pointsize 12 -fill "$(c IDS_POPUP_TEXT_COLOR)" -annotate +31+24 "アイテム情報(名称変更)" \
  -fill "$(c IDS_POPUP_HILITE_COLOR)" -annotate +32+52 "アイテム削除" -fill "$(c IDS_POPUP_TEXT_COLOR)" -annotate +31+51 "アイテム削除" \
  "$tmp/popup.png"

shopt -s extglob
"$MONTAGE" -label '%t' "$art"/!(*_mask).bmp -font "$FONT" -pointsize 10 -tile 10x -geometry '140x140>+4+4' \
  -background '#808890' "$tmp/sheet.png"
"$CONVERT" -background '#808890' '(' "$tmp/main.png" '(' "$tmp/dialog.png" "$tmp/popup.png" -gravity west -splice 0x0 \
  -background '#808890' -gravity northwest -append ')' -gravity north +append -bordercolor '#808890' -border 8 ')' \
  "$tmp/sheet.png" -gravity center -append +repage -depth 8 "$png"
