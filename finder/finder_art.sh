#!/usr/bin/env bash
# Draws SEEKAN.exe's icons and caption pictures with ImageMagick into an art folder that windres
# searches: the window icon, the tree's kind icons, the fall-back icon, the caption backgrounds
# (85 x 18, active and inactive) and the caption button glyphs in 16 x 13 cells.
#
#   finder_art.sh OUT
set -euo pipefail
out=$1
CONVERT=${CONVERT:-convert}
mkdir -p "$out"
rm -f "$out"/*.bmp "$out"/*.ico "$out"/stamp

# An icon of 32 and 16 pixels from a 32 x 32 drawing given as convert operations.
icon() {  # NAME OPS...
  local name=$1; shift
  "$CONVERT" -size 32x32 xc:none "$@" \( +clone -resize 16x16 \) "$out/$name.ico"
}

icon seekan -fill '#F2C14E' -stroke '#9A6A12' -strokewidth 1.5 -draw 'polygon 2,8 12,8 14,11 28,11 28,27 2,27' \
  -fill '#DDEBFA' -stroke '#1F4F8F' -strokewidth 3 -draw 'circle 17,16 17,9' \
  -stroke '#1F4F8F' -strokewidth 4 -draw 'line 22,21 29,29'
icon fallback -fill '#FFFFFF' -stroke '#5A6B80' -strokewidth 1.5 -draw 'polygon 7,3 20,3 26,9 26,29 7,29' \
  -fill '#D8DEE8' -draw 'polygon 20,3 20,9 26,9'
icon documents -fill '#FFFFFF' -stroke '#5A6B80' -strokewidth 1.5 -draw 'polygon 7,3 20,3 26,9 26,29 7,29' \
  -stroke '#3A78C8' -strokewidth 2 -draw 'line 10,13 23,13' -draw 'line 10,18 23,18' -draw 'line 10,23 20,23'
icon programs -fill '#FFFFFF' -stroke '#34495E' -strokewidth 1.5 -draw 'rectangle 3,5 29,27' \
  -fill '#2F6FD0' -stroke none -draw 'rectangle 4,6 28,11' \
  -fill '#E06018' -draw 'polygon 11,15 11,25 20,20'
icon all -fill '#FFFFFF' -stroke '#5A6B80' -strokewidth 1.5 -draw 'polygon 3,3 16,3 16,21 3,21' \
  -draw 'polygon 9,8 22,8 22,25 9,25' -fill '#FFF4C8' -draw 'polygon 15,13 28,13 28,30 15,30' \
  -stroke '#3A78C8' -strokewidth 2 -draw 'line 18,19 25,19' -draw 'line 18,24 25,24'


# Caption backgrounds: a gradient with a light motif in columns 4-82 and darker edge columns.
back() {  # NAME TOP BOTTOM MOTIF EDGE
  "$CONVERT" -size 85x18 "gradient:$2-$3" \
    -fill none -stroke "$5" -draw 'line 0,0 0,17' -draw 'line 84,0 84,17' -draw 'line 0,17 84,17' \
    -stroke "$4" -strokewidth 1 -draw 'line 8,5 78,5' -draw 'line 8,12 78,12' \
    -fill "$4" -stroke none -draw 'circle 43,8 43,5' -draw 'circle 22,8 22,7' -draw 'circle 64,8 64,7' \
    -alpha off -type truecolor "BMP3:$out/$1.bmp"
}
back caption_active '#9CC8F8' '#3A7ED8' '#D8ECFF' '#1F4F8F'
back caption_inactive '#E4E8EE' '#B4BCC8' '#F4F6FA' '#7A8494'

# Glyph sheets: cells of 16 x 13, a small button face with the glyph; the cell at x 32 is the
# disabled look.
sheet() {  # NAME WIDTH CELL-OPS...
  local name=$1 w=$2; shift 2
  "$CONVERT" -size "${w}x13" xc:'#3A7ED8' "$@" -alpha off -type truecolor "BMP3:$out/$name.bmp"
}
cell() {  # X GLYPH COLOUR
  local x=$1 g=$2 c=$3 ops=()
  ops+=(-fill '#EEF5FF' -stroke '#1F4F8F' -strokewidth 1 -draw "roundrectangle $x,0 $((x + 15)),12 2,2")
  ops+=(-fill none -stroke "$c" -strokewidth 1.6)
  case $g in
    close) ops+=(-draw "line $((x + 4)),3 $((x + 11)),9" -draw "line $((x + 11)),3 $((x + 4)),9") ;;
    max) ops+=(-strokewidth 1 -draw "rectangle $((x + 4)),3 $((x + 11)),9" -draw "line $((x + 4)),4 $((x + 11)),4") ;;
    restore) ops+=(-strokewidth 1 -draw "rectangle $((x + 6)),2 $((x + 12)),7" -draw "rectangle $((x + 3)),5 $((x + 9)),10") ;;
    min) ops+=(-strokewidth 2 -draw "line $((x + 4)),9 $((x + 11)),9") ;;
    help) ops+=(-fill "$c" -stroke none -pointsize 11 -font DejaVu-Sans-Bold -annotate "+$((x + 4))+11" '?') ;;
  esac
  printf '%s\n' "${ops[@]}"
}
mapfile -t C < <(cell 0 close '#B02A1A'; cell 16 close '#701A10'; cell 32 close '#9AA4B4')
sheet caption_close 48 "${C[@]}"
mapfile -t C < <(cell 0 min '#1F4F8F'; cell 16 min '#0F2F5F'; cell 32 min '#9AA4B4')
sheet caption_minimize 48 "${C[@]}"
mapfile -t C < <(cell 0 help '#1F4F8F'; cell 16 help '#0F2F5F'; cell 32 help '#9AA4B4')
sheet caption_help 48 "${C[@]}"
mapfile -t C < <(cell 0 max '#1F4F8F'; cell 16 max '#0F2F5F'; cell 32 max '#9AA4B4'
  cell 48 restore '#1F4F8F'; cell 64 restore '#0F2F5F'; cell 80 restore '#9AA4B4')
sheet caption_maximize 96 "${C[@]}"
touch "$out/stamp"
