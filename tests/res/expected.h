#pragma once

// What the program's resources must hold, written down independently of the resource sources so
// that a slip in either shows.

#include <string_view>

namespace expected {

enum class Kind { png, jpeg };

struct Image {
    std::wstring_view name;  // resource name of type IMG, as the skins write it
    int width;
    int height;
    Kind kind;
};

// In the order of the resource inventory.
inline constexpr Image kImages[] = {
    {L"shadow_png", 210, 143, Kind::png},
    {L"line_png", 112, 1, Kind::png},
    {L"vline_png", 1, 300, Kind::png},
    {L"logo_png", 22, 22, Kind::png},
    {L"logo32_png", 32, 32, Kind::png},
    {L"btn_close_png", 40, 160, Kind::png},
    {L"btn_dlgClose_png", 40, 120, Kind::png},
    {L"btn_narrow_png", 40, 160, Kind::png},
    {L"btn_normal_png", 40, 160, Kind::png},
    {L"btn_big_png", 40, 160, Kind::png},
    {L"NormalBtn_skin_png", 400, 26, Kind::png},
    {L"StrongBtn_skin_png", 400, 26, Kind::png},
    {L"btn_convert_png", 48, 80, Kind::png},
    {L"btn_edit_png", 40, 80, Kind::png},
    {L"btn_read_png", 48, 80, Kind::png},
    {L"btn_menu_png", 40, 160, Kind::png},
    {L"btn_log_png", 90, 160, Kind::png},
    {L"btn_phone_normal_png", 160, 160, Kind::png},
    {L"btn_wechat_normal_png", 160, 160, Kind::png},
    {L"btn_mail_normal_png", 160, 160, Kind::png},
    {L"btn_consultation_png", 90, 160, Kind::png},
    {L"bkgnd_dlg_png", 734, 500, Kind::png},
    {L"bkgnd_frame_png", 610, 410, Kind::png},
    {L"dunmere_png", 330, 460, Kind::png},
    {L"hm_png", 1000, 650, Kind::png},
    {L"btn_item_png", 241, 32, Kind::png},
    {L"btn_clean_png", 48, 64, Kind::png},
    {L"btn_delete_png", 14, 56, Kind::png},
    {L"btn_openMore_png", 160, 160, Kind::png},
    {L"btn_login_png", 160, 160, Kind::png},
    {L"pdf_icon_png", 26, 30, Kind::png},
    {L"bkgnd_point_png", 4, 20, Kind::png},
    {L"bg_menu_png", 150, 112, Kind::png},
    {L"bg_guide1_png", 1100, 700, Kind::jpeg},
    {L"bg_guide2_png", 1100, 700, Kind::jpeg},
    {L"bg_guide3_png", 1100, 700, Kind::jpeg},
    {L"bg_guide4_png", 1100, 700, Kind::jpeg},
    {L"bg_guide5_png", 1100, 700, Kind::jpeg},
    {L"bg_guide6_png", 1100, 700, Kind::jpeg},
    {L"bg_guide7_png", 1100, 700, Kind::png},
    {L"bg_guide8_png", 1100, 700, Kind::png},
    {L"bg_guide9_png", 1100, 700, Kind::png},
    {L"bg_guide10_png", 1100, 700, Kind::jpeg},
    {L"btn_reGuide_png", 160, 192, Kind::png},
    {L"btn_guide_close_png", 30, 120, Kind::png},
    {L"btn_guide_end_png", 100, 192, Kind::png},
    {L"btn_guide_openApp_png", 160, 192, Kind::png},
    {L"btn_guide_cancel_png", 100, 192, Kind::png},
    {L"btn_guide_iKown_png", 160, 192, Kind::png},
};

// Layout bits for the named-ID table's "declared in" column.
enum Layout : unsigned {
    kNone = 0,
    kMain = 1 << 0,
    kWke = 1 << 1,
    kUserInfo = 1 << 2,
    kTip = 1 << 3,
    kWechat = 1 << 4,
    kMsg = 1 << 5,
    kGuide = 1 << 6,
};

struct LayoutInfo {
    std::wstring_view resource;  // name of the LAYOUT resource
    Layout bit;
    int width;
    int height;
    int margin;  // 0: none given
    bool resizable;
    std::wstring_view title;
    bool translucent;
    std::wstring_view rootSkin;  // empty: none
    std::wstring_view bigIcon;
};

// In the order of the resource inventory.
inline constexpr LayoutInfo kLayouts[] = {
    {L"XML_MAINWND", kMain, 1100, 700, 5, true, L"@string/title", false, L"", L"ICON_LOGO:32"},
    {L"XML_WKEDLG", kWke, 454, 469, 0, false, L"format msg", true, L"skin_shadow", L"LOGO:32"},
    {L"XML_USERINFO", kUserInfo, 380, 250, 5, false, L"userInfo", true, L"skin_shadow", L"LOGO:32"},
    {L"XML_TIP", kTip, 320, 220, 5, false, L"format msg", true, L"skin_shadow", L"LOGO:32"},
    {L"XML_WECHAT", kWechat, 334, 464, 2, false, L"wechat", true, L"skin_shadow", L"LOGO:32"},
    {L"XML_MSG", kMsg, 610, 410, 5, false, L"frame_main", true, L"skin_frame", L"LOGO:32"},
    {L"XML_GUIDE", kGuide, 1100, 700, 5, true, L"@string/title", false, L"bg_guide1_imglist", L"ICON_LOGO:32"},
};

struct NamedId {
    std::wstring_view name;
    int id;
    unsigned layouts;       // which layouts declare an element of that name
    int count;              // elements of that name in each of those layouts
    std::string_view kind;  // the layout element
};

// Grouped by window, not sorted: the sorting is the table's job.
inline constexpr NamedId kNamedIds[] = {
    {L"_name_start", 65535, kNone, 0, ""},
    {L"root", 65536, kMain | kGuide, 1, "root"},
    {L"btn_close", 65540, kMain | kWke | kUserInfo | kTip | kWechat | kGuide, 1, "imgbtn"},
    {L"title_name", 65549, kWke | kUserInfo | kTip, 1, "text"},
    // main window
    {L"btn_edit", 65537, kMain, 1, "imgbtn"},
    {L"btn_read", 65538, kMain, 1, "imgbtn"},
    {L"btn_convert", 65539, kMain, 1, "imgbtn"},
    {L"btn_max", 65541, kMain, 1, "imgbtn"},
    {L"btn_restore", 65542, kMain, 1, "imgbtn"},
    {L"btn_min", 65543, kMain, 1, "imgbtn"},
    {L"btn_log", 65544, kMain, 1, "imgbtn"},
    {L"user_name", 65545, kMain, 1, "text"},
    {L"btn_menu", 65546, kMain, 1, "imgbtn"},
    {L"btn_consultation", 65547, kMain, 1, "imgbtn"},
    {L"hm", 65548, kMain, 1, "window"},
    {L"pdf_control", 101, kMain, 1, "realwnd"},
    // sign-in dialog
    {L"wke_test", 65550, kWke, 1, "wkeWebkit"},
    // account information
    {L"count_tit", 65551, kUserInfo, 1, "text"},
    {L"nickname", 65552, kUserInfo, 1, "text"},
    {L"userid", 65553, kUserInfo, 1, "text"},
    // prompt
    {L"pro_text", 65558, kTip, 1, "text"},
    {L"flush_str1", 65559, kTip, 1, "text"},
    {L"flush_str2", 65560, kTip, 1, "text"},
    {L"flush_str3", 65561, kTip, 1, "text"},
    {L"btn_dir_ok", 1, kTip, 1, "imgbtn"},
    {L"btn_dir_cancel", 2, kTip, 1, "imgbtn"},
    // start page
    {L"btn_clean", 65562, kMsg, 1, "button"},
    {L"list_item1", 65563, kMsg, 1, "imgbtn"},
    {L"img_pdfIcon", 65564, kMsg, 4, "img"},
    {L"txt_fileName", 65565, kMsg, 4, "text"},
    {L"txt_pageNum", 65566, kMsg, 4, "text"},
    {L"btn_delete1", 65567, kMsg, 1, "imgbtn"},
    {L"list_item2", 65568, kMsg, 1, "imgbtn"},
    {L"btn_delete2", 65569, kMsg, 1, "imgbtn"},
    {L"list_item3", 65570, kMsg, 1, "imgbtn"},
    {L"btn_delete3", 65571, kMsg, 1, "imgbtn"},
    {L"list_item4", 65572, kMsg, 1, "imgbtn"},
    {L"btn_delete4", 65573, kMsg, 1, "imgbtn"},
    {L"btn_openMore", 65574, kMsg, 1, "button"},
    {L"btn_login", 65575, kMsg, 1, "button"},
    {L"txt_login", 65576, kMsg, 1, "text"},
    // guide
    {L"btn_start", 65577, kGuide, 1, "imgbtn"},
    {L"btn_reGuide", 65578, kGuide, 1, "imgbtn"},
    {L"btn_iKown", 65579, kGuide, 1, "imgbtn"},
    {L"btn_end", 65580, kGuide, 1, "imgbtn"},
    {L"btn_cancel", 65581, kGuide, 1, "imgbtn"},
};

// IDs that a layout gives an element itself, over the named-ID table.
struct ExplicitId {
    Layout layout;
    std::wstring_view name;
    int id;
};

inline constexpr ExplicitId kExplicitIds[] = {
    {kTip, L"btn_close", 8},      {kWechat, L"btn_close", 8},   {kTip, L"btn_dir_ok", 1},
    {kTip, L"btn_dir_cancel", 2}, {kMain, L"pdf_control", 101},
};

// The ID an element of that name has in that layout.
constexpr int idIn(Layout layout, const NamedId& named) {
    for (const auto& e : kExplicitIds) {
        if (e.layout == layout && e.name == named.name)
            return e.id;
    }
    return named.id;
}

}  // namespace expected

namespace expected {

enum class SkinKind { frame, list };

struct Skin {
    std::wstring_view name;
    std::wstring_view image;  // the IMG resource it cuts
    SkinKind kind;
    int states;     // faces in the picture (1 for a plain frame)
    bool vertical;  // faces stacked top to bottom (else side by side)
};

inline constexpr Skin kSkins[] = {
    {L"skin_hm", L"hm_png", SkinKind::frame, 1, true},
    {L"skin_wechat", L"dunmere_png", SkinKind::frame, 1, true},
    {L"skin_shadow", L"shadow_png", SkinKind::frame, 1, true},
    {L"skin_frame", L"bkgnd_frame_png", SkinKind::frame, 1, true},
    {L"skin_line", L"line_png", SkinKind::frame, 1, true},
    {L"skin_vline", L"vline_png", SkinKind::frame, 1, true},
    {L"logo", L"logo_png", SkinKind::frame, 1, true},
    {L"logo32", L"logo32_png", SkinKind::frame, 1, true},
    {L"skin_point", L"bkgnd_point_png", SkinKind::frame, 1, true},
    {L"pdf_icon", L"pdf_icon_png", SkinKind::frame, 1, true},
    {L"skin_dlg", L"bkgnd_dlg_png", SkinKind::frame, 1, true},
    {L"btn_item", L"btn_item_png", SkinKind::frame, 1, true},
    {L"bg_guide1_imglist", L"bg_guide1_png", SkinKind::frame, 1, true},
    {L"bg_guide2_imglist", L"bg_guide2_png", SkinKind::frame, 1, true},
    {L"bg_guide3_imglist", L"bg_guide3_png", SkinKind::frame, 1, true},
    {L"bg_guide4_imglist", L"bg_guide4_png", SkinKind::frame, 1, true},
    {L"bg_guide5_imglist", L"bg_guide5_png", SkinKind::frame, 1, true},
    {L"bg_guide6_imglist", L"bg_guide6_png", SkinKind::frame, 1, true},
    {L"bg_guide7_imglist", L"bg_guide7_png", SkinKind::frame, 1, true},
    {L"bg_guide8_imglist", L"bg_guide8_png", SkinKind::frame, 1, true},
    {L"bg_guide9_imglist", L"bg_guide9_png", SkinKind::frame, 1, true},
    {L"bg_guide10_imglist", L"bg_guide10_png", SkinKind::frame, 1, true},
    {L"btn_normal_imglist", L"btn_normal_png", SkinKind::list, 4, true},
    {L"btn_big_imglist", L"btn_big_png", SkinKind::list, 4, true},
    {L"btn_narrow_imglist", L"btn_narrow_png", SkinKind::list, 4, true},
    {L"btn_close_imglist", L"btn_close_png", SkinKind::list, 4, true},
    {L"btn_dlgClose_imglist", L"btn_dlgClose_png", SkinKind::list, 4, true},
    {L"btn_convert_imglist", L"btn_convert_png", SkinKind::list, 4, true},
    {L"btn_read_imglist", L"btn_read_png", SkinKind::list, 4, true},
    {L"btn_edit_imglist", L"btn_edit_png", SkinKind::list, 4, true},
    {L"btn_menu_imglist", L"btn_menu_png", SkinKind::list, 4, true},
    {L"btn_log_imglist", L"btn_log_png", SkinKind::list, 4, true},
    {L"btn_wechat_normal_imglist", L"btn_wechat_normal_png", SkinKind::list, 4, true},
    {L"btn_phone_normal_imglist", L"btn_phone_normal_png", SkinKind::list, 4, true},
    {L"btn_mail_normal_imglist", L"btn_mail_normal_png", SkinKind::list, 4, true},
    {L"btn_consultation_imglist", L"btn_consultation_png", SkinKind::list, 4, true},
    {L"btn_clean_imglist", L"btn_clean_png", SkinKind::list, 4, true},
    {L"btn_delete_imglist", L"btn_delete_png", SkinKind::list, 4, true},
    {L"btn_openMore_imglist", L"btn_openMore_png", SkinKind::list, 4, true},
    {L"btn_login_imglist", L"btn_login_png", SkinKind::list, 4, true},
    {L"btn_reGuide_imglist", L"btn_reGuide_png", SkinKind::list, 4, true},
    {L"btn_guide_close_imglist", L"btn_guide_close_png", SkinKind::list, 4, true},
    {L"btn_guide_end_imglist", L"btn_guide_end_png", SkinKind::list, 4, true},
    {L"btn_guide_openApp_imglist", L"btn_guide_openApp_png", SkinKind::list, 4, true},
    {L"btn_guide_cancel_imglist", L"btn_guide_cancel_png", SkinKind::list, 4, true},
    {L"btn_guide_iKown_imglist", L"btn_guide_iKown_png", SkinKind::list, 4, true},
    {L"StrongBtn_skin_imglist", L"StrongBtn_skin_png", SkinKind::list, 4, false},
    {L"NormalBtn_skin_imglist", L"NormalBtn_skin_png", SkinKind::list, 4, false},
    {L"bg_menu_imglist", L"bg_menu_png", SkinKind::list, 2, true},
};

// Skins the program's code sets at run time (account button faces, guide pages).
inline constexpr std::wstring_view kSkinsNamedByCode[] = {
    L"btn_log_imglist",   L"btn_wechat_normal_imglist", L"btn_phone_normal_imglist", L"btn_mail_normal_imglist",
    L"bg_guide1_imglist", L"bg_guide2_imglist",         L"bg_guide3_imglist",        L"bg_guide4_imglist",
    L"bg_guide5_imglist", L"bg_guide6_imglist",         L"bg_guide7_imglist",        L"bg_guide8_imglist",
    L"bg_guide9_imglist", L"bg_guide10_imglist",
};

// The UI library's own skin, from its system resources.
inline constexpr std::wstring_view kSystemSkin = L"_skin.btn.wechatDlg_close";

}  // namespace expected
