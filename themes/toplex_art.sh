# TOPLEX.exe's own pictures for the web pane, sourced by make_art.sh: the blue title strip
# (646 x 30 at (3, 3) of the 652 x 522 window) and its 24 x 24 buttons at window top 6, each drawn
# over the strip where it stands so the corners blend in.
FONT_UI=ipagp.ttf
FONT_LOGO=ipag.ttf
W=646 H=30
strip() {  # NAME TOP BOTTOM LINE TEXT
  q '(' -size "${W}x$H" "gradient:$2-$3"
  line "$4" 1 "line 0,$((H - 1)) $((W - 1)),$((H - 1))"
  line "#FFFFFF" 1 "circle 15,14 15,5"
  line "#FFFFFF" 1 "ellipse 15,14 4,9 0,360"
  line "#FFFFFF" 1 "line 6,14 24,14"
  line "#FFFFFF" 1 "line 8,9 22,9"
  line "#FFFFFF" 1 "line 8,19 22,19"
  ltext 13 "$5" 138 -1 "インターネット ガイド" bold
  rgb "$1"; q +delete ')'
}
strip web_title_active "#62A8FF" "#1F74E0" "#0F4FA8" "#FFFFFF"
strip web_title_inactive "#A9C6EA" "#7C9DC6" "#6283AE" "#EEF3FA"
flush

# Window x of each button less the strip's 3; y 6 - 3.
web_button() {  # NAME STRIP_X GLYPH normal|pressed|disabled
  local x=$2 g=$3 s=$4 top="#F4F9FF" bot="#BBD7FA" edge="#0F4FA8" GL="#1F5FBF" DX=0
  case $s in
    pressed) top="#9CC3F5" bot="#D8E8FD" GL="#0F3F8F" DX=1 ;;
    disabled) top="#8FB9EE" bot="#7AA8E4" edge="#5D8CCB" GL="#B5D0F2" ;;
  esac
  [ "$g" = close ] && { top="#F07A64" bot="#C8452E"; edge="#8E2A1A"; GL="#FFFFFF"
    [ "$s" = pressed ] && { top="#B03A24" bot="#E0664E"; }; }
  q '(' $(crop web_title_active 24 24 "$x" 3)
  face 24 24 4 "$top" "$bot" "$edge"; put 0 0
  local cx=$((12 + DX)) cy=$((12 + DX))
  case $g in
    back) draw "$GL" "polygon $(pts $cx $cy -7,0 0,-7 0,-3 6,-3 6,3 0,3 0,7)" ;;
    forward) draw "$GL" "polygon $(pts $cx $cy 7,0 0,-7 0,-3 -6,-3 -6,3 0,3 0,7)" ;;
    stop) draw "#D8503A" "roundrectangle $((cx - 6)),$((cy - 6)) $((cx + 5)),$((cy + 5)) 2,2"
          line "#FFFFFF" 1.6 "line $((cx - 3)),$((cy - 3)) $((cx + 2)),$((cy + 2))"
          line "#FFFFFF" 1.6 "line $((cx + 2)),$((cy - 3)) $((cx - 3)),$((cy + 2))" ;;
    refresh) line "$GL" 2 "arc $((cx - 7)),$((cy - 7)) $((cx + 6)),$((cy + 6)) 320,230"
             draw "$GL" "polygon $(pts $cx $cy 1,-10 6,-7 1,-3)" ;;
    off) mark4 $((cx - 7)) $((cy - 7)) 14 "$GL" "#E06018" ;;
    minimize) draw "$GL" "rectangle $((cx - 6)),$((cy + 3)) $((cx + 5)),$((cy + 5))" ;;
    close) line "$GL" 2.2 "line $((cx - 5)),$((cy - 5)) $((cx + 4)),$((cy + 4))"
           line "$GL" 2.2 "line $((cx + 4)),$((cy - 5)) $((cx - 5)),$((cy + 4))" ;;
  esac
  rgb "$1"; q +delete ')'
}
web_button web_back 32 back normal
web_button web_back_pressed 32 back pressed
web_button web_back_disabled 32 back disabled
web_button web_forward 56 forward normal
web_button web_forward_pressed 56 forward pressed
web_button web_forward_disabled 56 forward disabled
web_button web_stop 80 stop normal
web_button web_stop_pressed 80 stop pressed
web_button web_refresh 104 refresh normal
web_button web_refresh_pressed 104 refresh pressed
web_button web_off 573 off normal
web_button web_off_pressed 573 off pressed
web_button web_minimize 597 minimize normal
web_button web_minimize_pressed 597 minimize pressed
web_button web_close 621 close normal
web_button web_close_pressed 621 close pressed
flush
