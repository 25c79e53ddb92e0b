#!/usr/bin/env bash
# Takes a screenshot of each window of the program, built from its layout by res_preview, on the
# virtual display, filled with sample texts the way the windows' code fills them.
#
#   tests/res/screenshots.sh [BUILD_DIR] [OUT_DIR]
#
# Look at them; they are not kept in the repository.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(realpath "${1:-$root/build}")"
out="${2:-$build/screenshots}"
mkdir -p "$out"
source "$root/scripts/display.sh"
start_display
export BRAVIK_WINEPREFIX="$build/wineprefix"
trap 'stop_display' EXIT

# shot NAME WIDTH HEIGHT LAYOUT [FILL_LINE...]: each FILL_LINE is "text|NAME|TEXT" or
# "attr|NAME|ATTRIBUTE|VALUE", handed to res_preview in a UTF-8 file.
shot() {
    local name=$1 w=$2 h=$3 layout=$4
    shift 4
    local fill="$out/$name.fill"
    : >"$fill"
    for line in "$@"; do printf '%s\n' "${line//|/$'\t'}" >>"$fill"; done
    "$root/scripts/wine-run" "$build/bin/res_preview.exe" "$layout" --fill "$(winepath_of "$fill")" --seconds 8 &
    local pid=$!
    sleep 5
    import -window root -crop "${w}x${h}+0+0" +repage "$out/$name.png"
    wait "$pid"
    rm -f "$fill"
}

# Wine maps the Unix root to drive Z:.
winepath_of() { printf 'Z:%s' "${1//\//\\}"; }

shot main 1100 700 XML_MAINWND
shot signin 454 469 XML_WKEDLG
shot userinfo 380 250 XML_USERINFO "text|nickname|昵称      ： 测试用户" "text|userid|ID         ：10086"
shot tip 320 220 XML_TIP "text|title_name|更新" "text|pro_text|发现新版本，是否立即升级到最新版本?" \
    "text|flush_str1|1、修复预览偶尔导致程序崩溃的问题；" "text|flush_str2|2、优化程序,提升程序的运行效率；" \
    "text|flush_str3|3、修复其他累积的bug。"
shot tip_notice 320 220 XML_TIP "text|title_name|提示" "text|pro_text|该文件不存在！" "attr|pro_text|align|center" \
    "text|btn_dir_ok|确定"
shot wechat 334 464 XML_WECHAT
shot msg 610 410 XML_MSG "text|txt_fileName|季度报告.pdf" "text|txt_pageNum|12页"
shot guide1 1100 700 XML_GUIDE
shot guide3 1100 700 XML_GUIDE "attr|root|skin|bg_guide3_imglist" "attr|btn_start|show|0" \
    "attr|btn_iKown|show|1" "attr|btn_iKown|pos|490,390"
shot guide9 1100 700 XML_GUIDE "attr|root|skin|bg_guide9_imglist" "attr|btn_start|pos|221,420" \
    "attr|btn_reGuide|show|1" "attr|btn_reGuide|pos|412,420"
shot guide10 1100 700 XML_GUIDE "attr|root|skin|bg_guide10_imglist" "attr|btn_start|show|0" \
    "attr|btn_end|show|1" "attr|btn_cancel|show|1"
ls "$out"
