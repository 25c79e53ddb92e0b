#include "res/NamedWidgetIds.h"

// IDs from 65536 up are fixed once and for all; 1, 2 and 101 are the explicit IDs the layouts give
// the prompt's OK and cancel buttons and the PDF control's window.
const SOUI::TNAMEDVALUE<int> NamedWidgetIds[kNamedWidgetCount] = {
    {L"_name_start", 65535},      {L"btn_cancel", 65581},  {L"btn_clean", 65562},   {L"btn_close", 65540},
    {L"btn_consultation", 65547}, {L"btn_convert", 65539}, {L"btn_delete1", 65567}, {L"btn_delete2", 65569},
    {L"btn_delete3", 65571},      {L"btn_delete4", 65573}, {L"btn_dir_cancel", 2},  {L"btn_dir_ok", 1},
    {L"btn_edit", 65537},         {L"btn_end", 65580},     {L"btn_iKown", 65579},   {L"btn_log", 65544},
    {L"btn_login", 65575},        {L"btn_max", 65541},     {L"btn_menu", 65546},    {L"btn_min", 65543},
    {L"btn_openMore", 65574},     {L"btn_reGuide", 65578}, {L"btn_read", 65538},    {L"btn_restore", 65542},
    {L"btn_start", 65577},        {L"count_tit", 65551},   {L"flush_str1", 65559},  {L"flush_str2", 65560},
    {L"flush_str3", 65561},       {L"hm", 65548},          {L"img_pdfIcon", 65564}, {L"list_item1", 65563},
    {L"list_item2", 65568},       {L"list_item3", 65570},  {L"list_item4", 65572},  {L"nickname", 65552},
    {L"pdf_control", 101},        {L"pro_text", 65558},    {L"root", 65536},        {L"title_name", 65549},
    {L"txt_fileName", 65565},     {L"txt_login", 65576},   {L"txt_pageNum", 65566}, {L"user_name", 65545},
    {L"userid", 65553},           {L"wke_test", 65550},
};

// Constant-initialised throughout, so the pointers are valid before any static initialiser runs.
const wchar_t* const NamedWidgetNames[kNamedWidgetCount] = {
    NamedWidgetIds[0].strName,  NamedWidgetIds[1].strName,  NamedWidgetIds[2].strName,  NamedWidgetIds[3].strName,
    NamedWidgetIds[4].strName,  NamedWidgetIds[5].strName,  NamedWidgetIds[6].strName,  NamedWidgetIds[7].strName,
    NamedWidgetIds[8].strName,  NamedWidgetIds[9].strName,  NamedWidgetIds[10].strName, NamedWidgetIds[11].strName,
    NamedWidgetIds[12].strName, NamedWidgetIds[13].strName, NamedWidgetIds[14].strName, NamedWidgetIds[15].strName,
    NamedWidgetIds[16].strName, NamedWidgetIds[17].strName, NamedWidgetIds[18].strName, NamedWidgetIds[19].strName,
    NamedWidgetIds[20].strName, NamedWidgetIds[21].strName, NamedWidgetIds[22].strName, NamedWidgetIds[23].strName,
    NamedWidgetIds[24].strName, NamedWidgetIds[25].strName, NamedWidgetIds[26].strName, NamedWidgetIds[27].strName,
    NamedWidgetIds[28].strName, NamedWidgetIds[29].strName, NamedWidgetIds[30].strName, NamedWidgetIds[31].strName,
    NamedWidgetIds[32].strName, NamedWidgetIds[33].strName, NamedWidgetIds[34].strName, NamedWidgetIds[35].strName,
    NamedWidgetIds[36].strName, NamedWidgetIds[37].strName, NamedWidgetIds[38].strName, NamedWidgetIds[39].strName,
    NamedWidgetIds[40].strName, NamedWidgetIds[41].strName, NamedWidgetIds[42].strName, NamedWidgetIds[43].strName,
    NamedWidgetIds[44].strName, NamedWidgetIds[45].strName,
};
