#!/usr/bin/env bash
# Draws every picture of the skins and the program's icons into OUT_DIR, from nothing but
# ImageMagick, the CJK font and this script, so the build is its own source of pixels.
#
#   make_images.sh OUT_DIR
#
# images.txt beside this script lists each picture with its size, kind and states; the last step
# checks every file against it. Output is byte-stable: no time stamps, no file names in the files.
# The drawings of the main window and the tour's notes stand where the layouts (../xml/layout) and
# the tour's own table (app/dialogs/GuideTour.cpp) put the buttons.
set -euo pipefail
shopt -s inherit_errexit

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="${1:?usage: make_images.sh OUT_DIR}"
mkdir -p "$out"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

export MAGICK_THREAD_LIMIT=1 # same pixels whatever the machine's core count
FONT=WenQuanYi-Micro-Hei
# The list is read whole: grep -q would stop reading at the match and fail the pipe.
fonts="$(convert -list font)"
grep -q "Font: $FONT\$" <<<"$fonts" || { echo "font $FONT missing (fonts-wqy-microhei)" >&2; exit 1; }

layouts="$here/../xml/layout"
# layout_value LAYOUT QUERY: one attribute value (layout_values.py's query); fails when it is gone.
layout_value() { python3 "$here/layout_values.py" "$1" "$2"; }
# place NAME LAYOUT QUERY: NAME_x and NAME_y from a position attribute "x,y"; a negative x counts
# from the host window's width.
place() {
    local width value x y
    width="$(layout_value "$2" "@width")"
    value="$(layout_value "$2" "$3")"
    IFS=, read -r x y <<<"$value"
    if [ "$x" -lt 0 ]; then x=$((width + x)); fi
    printf -v "$1_x" %d "$x"
    printf -v "$1_y" %d "$y"
}
main_place() { place "$1" "$layouts/mainwnd.xml" ".//*[@name='$2']@pos"; }

BLUE='#1e78d5'
BLUE_HOVER='#3a8ee6'
BLUE_DOWN='#1663b5'
RED='#dd2421'
ORANGE='#ff7a1a'
TEXT='#333333'
GREY_OFF='#c8c8c8'

# save FILE KIND convert-arguments...: writes the picture without metadata or time chunks.
save() {
    local file=$1 kind=$2
    shift 2
    if [ "$kind" = jpg ]; then
        convert "$@" -strip -background white -alpha remove -alpha off -quality 92 -sampling-factor 2x2 \
            -interlace none "JPEG:$file"
    else
        convert "$@" -strip -define png:exclude-chunks=date,time +set date:create +set date:modify "PNG32:$file"
    fi
}

# Text drawn with its top-left corner at x,y: text SIZE COLOUR X Y STRING
text() { F+=(-font "$FONT" -pointsize "$1" -fill "$2" -stroke none -gravity NorthWest -annotate "+$3+$4" "$5"); }
# Text centred on the face: ctext SIZE COLOUR STRING
ctext() { F+=(-font "$FONT" -pointsize "$1" -fill "$2" -stroke none -gravity center -annotate +0+0 "$3"); }

# strip NAME FACE_FUNCTION: the state strip NAME (size, state count and direction from images.txt),
# one face per state drawn by FACE_FUNCTION STATE WIDTH HEIGHT into the array F.
# States: 0 normal, 1 hover, 2 pressed, 3 disabled (menu strips: 0 normal, 1 selected).
strip() {
    local name=$1 fn=$2 w h states dir fw fh s args=()
    read -r w h states dir < <(awk -v n="$name" '$1 == n { print $2, $3, $5, $6 }' "$here/images.txt")
    if [ "$dir" = h ]; then fw=$((w / states)) fh=$h; else fw=$w fh=$((h / states)); fi
    for ((s = 0; s < states; s++)); do
        F=()
        "$fn" "$s" "$fw" "$fh"
        args+=("(" -size "${fw}x${fh}" xc:none "${F[@]}" ")")
    done
    if [ "$dir" = h ]; then save "$out/$name.png" png "${args[@]}" +append; else save "$out/$name.png" png "${args[@]}" -append; fi
}

pick() { local i=$1; shift; local a=("$@"); echo "${a[$i]}"; }

# ---- caption buttons: a shaded square with a line glyph --------------------------------------------
caption_face() { # caption_face GLYPH STATE W H
    local glyph=$1 s=$2 w=$3 h=$4 bg fg cx cy
    if [ "$glyph" = close ]; then
        bg=$(pick "$s" none '#e81123' '#b80d1c' none)
        fg=$(pick "$s" '#555555' white white "$GREY_OFF")
    else
        bg=$(pick "$s" none '#e5e5e5' '#cccccc' none)
        fg=$(pick "$s" '#555555' '#222222' '#000000' "$GREY_OFF")
    fi
    cx=$((w / 2)) cy=$((h / 2))
    F+=(-fill "$bg" -stroke none -draw "rectangle 0,0 $((w - 1)),$((h - 1))")
    F+=(-fill none -stroke "$fg" -strokewidth 1.2)
    case $glyph in
        close) F+=(-draw "line $((cx - 5)),$((cy - 5)) $((cx + 5)),$((cy + 5))" -draw "line $((cx + 5)),$((cy - 5)) $((cx - 5)),$((cy + 5))") ;;
        max) F+=(-draw "rectangle $((cx - 5)).5,$((cy - 5)).5 $((cx + 5)).5,$((cy + 5)).5") ;;
        restore) F+=(-draw "rectangle $((cx - 6)).5,$((cy - 3)).5 $((cx + 3)).5,$((cy + 6)).5"
            -draw "polyline $((cx - 3)).5,$((cy - 3)) $((cx - 3)).5,$((cy - 6)).5 $((cx + 6)).5,$((cy - 6)).5 $((cx + 6)).5,$((cy + 3)).5 $((cx + 4)),$((cy + 3)).5") ;;
        min) F+=(-draw "line $((cx - 6)),$cy.5 $((cx + 6)),$cy.5") ;;
        menu) F+=(-draw "line $((cx - 7)),$((cy - 5)).5 $((cx + 7)),$((cy - 5)).5" -draw "line $((cx - 7)),$cy.5 $((cx + 7)),$cy.5"
            -draw "line $((cx - 7)),$((cy + 5)).5 $((cx + 7)),$((cy + 5)).5") ;;
    esac
}
face_close() { caption_face close "$@"; }
face_max() { caption_face max "$@"; }
face_restore() { caption_face restore "$@"; }
face_min() { caption_face min "$@"; }
face_menu() { caption_face menu "$@"; }

# ---- tool buttons of the caption: the layout's label over a shaded tab with a coloured underline --
# Their layout places them 30 and 38 pixels apart, so each face keeps 5 transparent pixels each side.
tool_face() { # tool_face COLOUR STATE W H
    local colour=$1 s=$2 w=$3 h=$4 bg bar
    bg=$(pick "$s" none '#e8f1fb' '#cfe0f5' none)
    bar=$(pick "$s" "$colour" "$colour" '#0d4a8c' "$GREY_OFF")
    F+=(-fill "$bg" -stroke none -draw "roundrectangle 5,0 $((w - 6)),$((h - 1)) 3,3")
    F+=(-fill "$bar" -draw "rectangle 9,$((h - 3)) $((w - 10)),$((h - 2))")
}
face_edit() { tool_face "$BLUE" "$@"; }
face_read() { tool_face '#2e9e5b' "$@"; }
face_convert() { tool_face '#e07b00' "$@"; }

# ---- the account button: an avatar, and for a signed-in user the badge of the sign-in method ----------
account_face() { # account_face METHOD STATE W H [BADGE_NORMAL BADGE_HOVER BADGE_PRESSED]
    local method=$1 s=$2 w=$3 h=$4 bg av badge
    bg=$(pick "$s" none '#f0f0f0' '#e0e0e0' none)
    av=$(pick "$s" '#9aa5b5' '#7d8899' '#5f6a7a' '#dddddd')
    F+=(-fill "$bg" -stroke none -draw "roundrectangle 0,2 $((w - 1)),$((h - 3)) 4,4")
    F+=(-fill "$av" -draw "circle 18,20 18,8" -fill white -draw "circle 18,17 18,13" -draw "ellipse 18,28 7,5 180,360")
    [ "$method" = none ] && return
    badge=$(pick "$s" "$5" "$6" "$7" '#dddddd')
    F+=(-fill "$badge" -stroke none -draw "circle 46,20 46,9" -fill white -stroke none)
    case $method in
        wechat) F+=(-draw "ellipse 43,18 6,5 0,360" -draw "ellipse 50,23 5,4 0,360" -fill "$badge" -draw "circle 41,18 41,17"
            -draw "circle 45,18 45,17") ;;
        phone) F+=(-draw "roundrectangle 42,12 50,28 2,2" -fill "$badge" -draw "rectangle 43,14 49,25") ;;
        mail) F+=(-draw "rectangle 39,15 53,25" -fill none -stroke "$badge" -strokewidth 1.2 -draw "polyline 39,15 46,21 53,15") ;;
    esac
}
face_log() { account_face none "$@"; }
face_wechat() { account_face wechat "$@" '#2aae67' '#35c777' '#1f8a51'; }
face_phone() { account_face phone "$@" "$BLUE" "$BLUE_HOVER" "$BLUE_DOWN"; }
face_mail() { account_face mail "$@" '#f08c00' '#ffa31a' '#c77400'; }

face_consultation() { # a headset on the left; the layout's label "在线客服" beside it
    local s=$1 w=$2 h=$3 bg fg
    bg=$(pick "$s" none '#e8f1fb' '#cfe0f5' none)
    fg=$(pick "$s" "$BLUE" "$BLUE" "$BLUE_DOWN" "$GREY_OFF")
    F+=(-fill "$bg" -stroke none -draw "roundrectangle 0,2 $((w - 1)),$((h - 3)) 4,4")
    F+=(-fill none -stroke "$fg" -strokewidth 2 -draw "arc 7,11 25,29 180,360" -stroke none -fill "$fg"
        -draw "roundrectangle 6,19 10,27 2,2" -draw "roundrectangle 22,19 26,27 2,2"
        -fill none -stroke "$fg" -strokewidth 1.4 -draw "arc 12,20 24,31 0,90")
}

# ---- push buttons and list buttons ------------------------------------------------------------------
face_strong() {
    local s=$1 w=$2 h=$3
    F+=(-fill "$(pick "$s" "$BLUE" "$BLUE_HOVER" "$BLUE_DOWN" '#b8cce4')" -stroke none -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 3,3")
}
face_normal() {
    local s=$1 w=$2 h=$3
    F+=(-fill "$(pick "$s" white '#f2f7fd' '#e1ecf9' '#f5f5f5')" -stroke "$(pick "$s" '#c8c8c8' "$BLUE" "$BLUE_DOWN" '#e0e0e0')"
        -strokewidth 1 -draw "roundrectangle 0.5,0.5 $((w - 1)).5,$((h - 1)).5 3,3")
}
outline_face() { # outline_face ICON STATE W H: a light button with a blue icon on the left
    local icon=$1 s=$2 w=$3 h=$4 fg
    fg=$(pick "$s" "$BLUE" "$BLUE" "$BLUE_DOWN" "$GREY_OFF")
    F+=(-fill "$(pick "$s" white '#eaf3fc' '#d2e5f8' '#f5f5f5')" -stroke "$(pick "$s" "$BLUE" "$BLUE_HOVER" "$BLUE_DOWN" '#dddddd')"
        -strokewidth 1 -draw "roundrectangle 0.5,0.5 $((w - 1)).5,$((h - 1)).5 4,4" -stroke none -fill "$fg")
    case $icon in
        folder) F+=(-draw "polygon 12,13 19,13 21,16 30,16 30,28 12,28") ;;
        user) F+=(-draw "circle 21,16 21,12" -draw "ellipse 21,28 8,6 180,360") ;;
    esac
}
face_openMore() { outline_face folder "$@"; }
face_login() { outline_face user "$@"; }
face_clean() { face_normal "$@"; }
face_delete() {
    local s=$1
    F+=(-fill "$(pick "$s" none '#e81123' '#b80d1c' none)" -stroke none -draw "circle 6.5,6.5 6.5,0")
    F+=(-fill none -stroke "$(pick "$s" '#999999' white white '#dddddd')" -strokewidth 1.3 -draw "line 4,4 9,9" -draw "line 9,4 4,9")
}
face_menu_item() {
    local s=$1 w=$2 h=$3
    if [ "$s" = 0 ]; then
        F+=(-fill white -stroke none -draw "rectangle 0,0 $((w - 1)),$((h - 1))")
    else
        F+=(-fill '#fdecec' -stroke none -draw "rectangle 0,0 $((w - 1)),$((h - 1))" -fill "$RED" -draw "rectangle 0,0 2,$((h - 1))")
    fi
}

# ---- guide buttons: the label is part of the face ------------------------------------------------
pill_face() { # pill_face LABEL STATE W H: orange, for going on
    local label=$1 s=$2 w=$3 h=$4
    F+=(-fill "$(pick "$s" "$ORANGE" '#ff9240' '#e0620a' '#cccccc')" -stroke none
        -draw "roundrectangle 0,2 $((w - 1)),$((h - 3)) 22,22")
    ctext 20 "$(pick "$s" white white '#ffe3cc' '#f2f2f2')" "$label"
}
ghost_face() { # ghost_face LABEL STATE W H: outlined, for going back
    local label=$1 s=$2 w=$3 h=$4
    F+=(-fill "$(pick "$s" '#ffffff1a' '#ffffff40' '#ffffff66' none)" -stroke "$(pick "$s" white white white '#888888')"
        -strokewidth 2 -draw "roundrectangle 1,3 $((w - 2)),$((h - 4)) 21,21")
    ctext 20 "$(pick "$s" white white white '#888888')" "$label"
}
face_openApp() { pill_face "开始体验" "$@"; }
face_iKown() { pill_face "我知道了" "$@"; }
face_end() { pill_face "退出" "$@"; }
face_reGuide() { ghost_face "重新引导" "$@"; }
face_cancel() { ghost_face "取消" "$@"; }
face_guide_close() {
    local s=$1
    F+=(-fill "$(pick "$s" '#ffffff26' '#ffffff4d' '#ffffff80' '#ffffff10')" -stroke none -draw "circle 15,15 15,2")
    F+=(-fill none -stroke "$(pick "$s" white white white '#999999')" -strokewidth 2 -draw "line 10,10 20,20" -draw "line 20,10 10,20")
}

strip btn_close_png face_close
strip btn_dlgClose_png face_close
strip btn_narrow_png face_min
strip btn_normal_png face_max
strip btn_big_png face_restore
strip btn_menu_png face_menu
strip NormalBtn_skin_png face_normal
strip StrongBtn_skin_png face_strong
strip btn_edit_png face_edit
strip btn_read_png face_read
strip btn_convert_png face_convert
strip btn_log_png face_log
strip btn_wechat_normal_png face_wechat
strip btn_phone_normal_png face_phone
strip btn_mail_normal_png face_mail
strip btn_consultation_png face_consultation
strip btn_clean_png face_clean
strip btn_delete_png face_delete
strip btn_openMore_png face_openMore
strip btn_login_png face_login
strip bg_menu_png face_menu_item
strip btn_reGuide_png face_reGuide
strip btn_guide_close_png face_guide_close
strip btn_guide_end_png face_end
strip btn_guide_openApp_png face_openApp
strip btn_guide_cancel_png face_cancel
strip btn_guide_iKown_png face_iKown

# ---- single pictures ---------------------------------------------------------------------------------
logo() { # logo SIZE FILE: the product mark, a red tile with a white "B"
    local n=$1
    convert -size "${n}x${n}" xc:none -fill "$RED" -stroke none -draw "roundrectangle 0,0 $((n - 1)),$((n - 1)) $((n / 5)),$((n / 5))" \
        -font "$FONT" -pointsize $((n * 3 / 4)) -fill white -gravity center -annotate +0+0 "B" "PNG32:$2"
}
logo 22 "$tmp/logo22.png"
logo 32 "$tmp/logo32.png"
logo 48 "$tmp/logo48.png"
save "$out/logo_png.png" png "$tmp/logo22.png"
save "$out/logo32_png.png" png "$tmp/logo32.png"

# A soft 5-pixel shadow around a white body; the skin stretches it as a frame.
F=(-size 210x143 xc:none -stroke none)
for i in 0 1 2 3 4; do
    F+=(-fill "$(pick $i '#00000008' '#00000010' '#0000001c' '#0000002c' '#00000040')" -draw "roundrectangle $i,$i $((209 - i)),$((142 - i)) 5,5")
done
save "$out/shadow_png.png" png "${F[@]}" -fill white -draw "rectangle 5,5 204,137"
save "$out/line_png.png" png -size 112x1 xc:'#e5e5e5'
save "$out/vline_png.png" png -size 1x300 xc:'#e5e5e5'
save "$out/bkgnd_point_png.png" png -size 4x20 xc:none -fill '#999999' -draw "circle 1.5,9.5 1.5,8"
save "$out/btn_item_png.png" png -size 241x32 xc:none -fill white -stroke '#e6e6e6' -draw "roundrectangle 0.5,0.5 240.5,31.5 3,3"
save "$out/pdf_icon_png.png" png -size 26x30 xc:none -fill white -stroke '#b0b0b0' -draw "polygon 2.5,0.5 17.5,0.5 25.5,8.5 25.5,29.5 2.5,29.5" \
    -fill '#e0e0e0' -draw "polygon 17.5,0.5 17.5,8.5 25.5,8.5" -stroke none -fill "$RED" -draw "rectangle 0,15 21,25" \
    -font "$FONT" -pointsize 8 -fill white -gravity NorthWest -annotate +2+15 "PDF"

F=(-size 734x500 xc:white -fill '#f4f6f9' -stroke none -draw "rectangle 0,0 733,29" -fill none -stroke '#d0d0d0' -draw "rectangle 0.5,0.5 733.5,499.5")
save "$out/bkgnd_dlg_png.png" png "${F[@]}"

# The start page: recent documents on the left, tutorials on the right.
F=(-size 610x410 xc:white -fill '#f5f7fa' -stroke none -draw "rectangle 305,0 609,409" -fill '#e5e5e5' -draw "rectangle 305,0 305,409"
    -fill none -stroke '#d0d0d0' -draw "rectangle 0.5,0.5 609.5,409.5")
save "$out/bkgnd_frame_png.png" png "${F[@]}"

# The picture of the image dialog: a made-up code pattern under a heading.
convert -size 25x25 xc:white -seed 20190327 +noise Random -channel G -separate +channel -threshold 50% \
    -fill black -stroke none -draw "rectangle 0,0 6,6" -draw "rectangle 18,0 24,6" -draw "rectangle 0,18 6,24" \
    -fill white -draw "rectangle 1,1 5,5" -draw "rectangle 19,1 23,5" -draw "rectangle 1,19 5,23" \
    -fill black -draw "rectangle 2,2 4,4" -draw "rectangle 20,2 22,4" -draw "rectangle 2,20 4,22" \
    -filter point -resize 800% -strip "PNG32:$tmp/code.png"
F=(-size 330x460 xc:white -fill '#2aae67' -stroke none -draw "rectangle 0,0 329,69")
text 22 white 24 20 "扫码关注"
F+=("$tmp/code.png" -gravity NorthWest -geometry +65+95 -composite)
text 15 "$TEXT" 55 310 "微信扫一扫，获取使用帮助"
text 13 '#888888' 70 340 "BravikPDF编辑器 官方服务号"
save "$out/dunmere_png.png" png "${F[@]}"

F=(-size 1000x650 gradient:'#f7f9fc-#dfe8f5' "$tmp/logo48.png" -gravity NorthWest -geometry +476+220 -composite)
text 36 "$TEXT" 330 300 "BravikPDF编辑器"
text 18 '#666666' 360 360 "编辑、阅读、转换，一个窗口完成"
save "$out/hm_png.png" png "${F[@]}"

# ---- the guide tour's pages ----------------------------------------------------------------------------
# A drawing of the main window, for the tour pages to point at.
place logo "$layouts/mainwnd.xml" ".//img[@skin='logo32']@pos"
main_place edit btn_edit
main_place read btn_read
main_place convert btn_convert
main_place log btn_log
main_place service btn_consultation
main_place menu btn_menu
main_place min btn_min
main_place max btn_max
main_place close btn_close
# The texts beside their buttons: the account name stands out to the left by its extend_left, the
# service label at its own place inside the button.
user_name_left="$(layout_value "$layouts/mainwnd.xml" ".//*[@name='user_name']@extend_left")"
place service_label "$layouts/mainwnd.xml" ".//*[@name='btn_consultation']/text@pos"
# The title follows the 32-pixel logo: its x is written "[gap" in the layout.
title="$(layout_value "$layouts/mainwnd.xml" ".//caption/text@pos")"
IFS=, read -r title_gap title_y <<<"${title#[}"
title_x=$((logo_x + 32 + title_gap))

F=(-size 1100x700 xc:'#e9ebee' -fill white -stroke none -draw "rectangle 0,0 1099,39" "$tmp/logo32.png" -gravity NorthWest
    -geometry "+$logo_x+$logo_y" -composite)
text 15 "$TEXT" "$title_x" "$title_y" "BravikPDF编辑器3.2.7"
F+=("(" "$out/btn_edit_png.png" -crop 40x20+0+0 +repage ")" -geometry "+$edit_x+$edit_y" -composite
    "(" "$out/btn_read_png.png" -crop 48x20+0+0 +repage ")" -geometry "+$read_x+$read_y" -composite
    "(" "$out/btn_convert_png.png" -crop 48x20+0+0 +repage ")" -geometry "+$convert_x+$convert_y" -composite
    "(" "$out/btn_log_png.png" -crop 90x40+0+0 +repage ")" -geometry "+$log_x+$log_y" -composite
    "(" "$out/btn_consultation_png.png" -crop 90x40+0+0 +repage ")" -geometry "+$service_x+$service_y" -composite
    "(" "$out/btn_menu_png.png" -crop 40x40+0+0 +repage ")" -geometry "+$menu_x+$menu_y" -composite
    "(" "$out/btn_narrow_png.png" -crop 40x40+0+0 +repage ")" -geometry "+$min_x+$min_y" -composite
    "(" "$out/btn_normal_png.png" -crop 40x40+0+0 +repage ")" -geometry "+$max_x+$max_y" -composite
    "(" "$out/btn_close_png.png" -crop 40x40+0+0 +repage ")" -geometry "+$close_x+$close_y" -composite)
# The tool buttons' labels, centred on their faces (40 and 48 wide).
text 12 "$TEXT" $((edit_x + 8)) $((edit_y + 2)) "编辑"
text 12 "$TEXT" $((read_x + 12)) $((read_y + 2)) "阅读"
text 12 "$TEXT" $((convert_x + 12)) $((convert_y + 2)) "转换"
text 13 "$TEXT" $((log_x + user_name_left)) 11 "未登录"
text 13 "$TEXT" $((service_x + service_label_x)) 11 "在线客服"
F+=(-fill white -stroke '#d5d8dd' -draw "rectangle 350.5,70.5 750.5,679.5" -stroke none -fill '#c9ced6')
for y in 120 150 180 210 240 300 330 360 390 450 480 510 540 570; do
    F+=(-draw "rectangle 390,$y $((y % 60 == 0 ? 650 : 710)),$((y + 8))")
done
F+=(-fill "$RED" -draw "rectangle 390,90 560,102")
convert "${F[@]}" -strip "PNG32:$tmp/mainwnd.png"

# tour_page FILE KIND STEP HX1 HY1 HX2 HY2 BX BY TITLE BODY: the main window dimmed except the area
# HX1,HY1-HX2,HY2, with a note over the "我知道了" button at BX,BY.
tour_page() {
    local file=$1 kind=$2 step=$3 x1=$4 y1=$5 x2=$6 y2=$7 bx=$8 by=$9 title=${10} body=${11} cx cy
    cx=$((bx - 50)) cy=$((by - 120))
    F=("$tmp/mainwnd.png" "(" +clone -fill black -colorize 62% ")"
        "(" -size 1100x700 xc:white -fill black -draw "roundrectangle $x1,$y1 $x2,$y2 6,6" ")" -composite
        -fill none -stroke "$ORANGE" -strokewidth 3 -draw "roundrectangle $((x1 - 2)),$((y1 - 2)) $((x2 + 2)),$((y2 + 2)) 7,7")
    F+=(-stroke '#ffffff99' -strokewidth 2 -draw "line $((cx + 200)),$cy $(((x1 + x2) / 2)),$((y2 + 4))"
        -fill white -stroke none -draw "roundrectangle $cx,$cy $((cx + 400)),$((cy + 100)) 8,8")
    text 20 "$TEXT" $((cx + 20)) $((cy + 16)) "$title"
    text 15 '#666666' $((cx + 20)) $((cy + 56)) "$body"
    text 14 '#ffffffcc' 40 650 "第 $((step - 1)) 步 / 共 7 步"
    save "$file" "$kind" "${F[@]}"
}

gradient_page() { F=(-size 1100x700 gradient:'#1b2a4a-#2e4a7d'); }

gradient_page
F+=("(" "$tmp/logo48.png" -resize 120x120 ")" -gravity NorthWest -geometry +490+120 -composite)
text 40 white 330 290 "欢迎使用BravikPDF编辑器"
text 20 '#c9d6ee' 355 370 "花一分钟，了解编辑、阅读、转换等主要功能"
save "$out/bg_guide1_png.jpg" jpg "${F[@]}"

# Where "btn_iKown" stands: on page 2 at the layout's place, on pages 3 to 8 at the tour's own.
place note2 "$layouts/guide.xml" ".//*[@name='btn_iKown']@pos"
table="$(sed -n '/^const wchar_t\* iKownPos/,/^}/p' "$here/../../app/dialogs/GuideTour.cpp")"
mapfile -t tour_places < <(grep -o 'L"[0-9]*,[0-9]*"' <<<"$table" | tr -d 'L"' | tr , ' ')
if [ "${#tour_places[@]}" != 6 ]; then
    echo "app/dialogs/GuideTour.cpp: iKownPos holds ${#tour_places[@]} places, expected 6" >&2
    exit 1
fi
note() { echo "${tour_places[$(($1 - 3))]}"; }

# Each page lights the button it is about (pages 2 to 7) or the document area (page 8).
tour_page "$out/bg_guide2_png.jpg" jpg 2 $((edit_x + 1)) 17 $((edit_x + 37)) 43 "$note2_x" "$note2_y" "编辑文档" "点击「编辑」，直接修改PDF中的文字和图片"
tour_page "$out/bg_guide3_png.jpg" jpg 3 $((read_x + 3)) 17 $((read_x + 45)) 43 $(note 3) "阅读模式" "点击「阅读」，打开在线阅读页面，专心看文档"
tour_page "$out/bg_guide4_png.jpg" jpg 4 $((convert_x + 3)) 17 $((convert_x + 45)) 43 $(note 4) "格式转换" "点击「转换」，把PDF转换为Word、图片等格式"
tour_page "$out/bg_guide5_png.jpg" jpg 5 $((service_x - 2)) 2 $((service_x + 92)) 38 $(note 5) "在线客服" "使用中遇到问题，随时点击「在线客服」咨询"
tour_page "$out/bg_guide6_png.jpg" jpg 6 $((log_x - 2)) 2 $((log_x + 92)) 38 $(note 6) "账号登录" "登录账号后即可保存文档，并查看账户信息"
tour_page "$out/bg_guide7_png.png" png 7 $((menu_x - 2)) 2 $((menu_x + 42)) 38 $(note 7) "主菜单" "在主菜单中查看使用教程，或检查更新"
tour_page "$out/bg_guide8_png.png" png 8 348 68 753 682 $(note 8) "打开文档" "双击PDF文件或把文件拖到窗口中即可打开"

gradient_page
F+=(-fill '#2aae67' -stroke none -draw "circle 850,300 850,200" -fill none -stroke white -strokewidth 14
    -draw "stroke-linecap round stroke-linejoin round polyline 800,300 838,338 905,262")
text 36 white 221 250 "恭喜！您已了解全部主要功能"
text 20 '#c9d6ee' 221 320 "现在就开始编辑您的PDF文档吧"
save "$out/bg_guide9_png.png" png "${F[@]}"

F=("$tmp/mainwnd.png" -fill '#000000a0' -stroke none -draw "rectangle 0,0 1099,699"
    -fill '#2b3a55' -draw "roundrectangle 380,220 720,440 10,10")
text 22 white 418 262 "确定要退出新手引导吗？"
text 14 '#c9d6ee' 418 308 "退出后可在主菜单的「使用教程」中了解更多"
save "$out/bg_guide10_png.jpg" jpg "${F[@]}"

# ---- icons: the product mark at 48 x 48 -----------------------------------------------------------------
python3 "$here/make_icon.py" --bits 32 "$tmp/logo48.png" "$out/icon_logo.ico"
python3 "$here/make_icon.py" --bits 32 "$tmp/logo48.png" "$out/idi_icon2.ico"
convert "$tmp/logo48.png" -background white -alpha remove -alpha off "PNG24:$tmp/logo48_flat.png"
python3 "$here/make_icon.py" --bits 24 "$tmp/logo48_flat.png" "$out/idi_icon1.ico"

# ---- every picture as images.txt has it ---------------------------------------------------------------
status=0
while read -r name w h kind _; do
    case $name in '#'* | '') continue ;; esac
    file="$out/$name.$kind"
    want="$w $h $([ "$kind" = jpg ] && echo JPEG || echo PNG)"
    got="$(identify -format '%w %h %m' "$file" 2>/dev/null || echo missing)"
    if [ "$got" != "$want" ]; then
        echo "$file: $got, expected $want" >&2
        status=1
    fi
done <"$here/images.txt"
exit $status
