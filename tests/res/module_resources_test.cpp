#include "module_resources.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expected.h"
#include "image_header.h"
#include "res/ResourcePaths.h"

namespace {

using resfixture::kChineseSimplified;
using resfixture::resourceBytes;
using resfixture::upper;

std::string narrow(std::wstring_view text) {
    return testing::PrintToString(std::wstring(text));
}

TEST(ResourcePaths, ListsEveryResourceInOrder) {
    std::vector<std::wstring> want = {L"UIDEF:XML_INIT"};
    for (const auto& layout : expected::kLayouts)
        want.push_back(L"LAYOUT:" + std::wstring(layout.resource));
    want.insert(want.end(), {L"SMENU:menu", L"values:string", L"values:color", L"values:skin"});
    for (const auto& image : expected::kImages)
        want.push_back(L"IMG:" + std::wstring(image.name));
    want.push_back(L"ICON:ICON_LOGO");
    ASSERT_EQ(want.size(), static_cast<size_t>(kResourcePathCount));
    for (int i = 0; i < kResourcePathCount; ++i) {
        EXPECT_EQ(ResourcePaths[i], want[i]) << i;
    }
}

TEST(ModuleResources, EveryListedResourceIsThereInSimplifiedChinese) {
    for (const wchar_t* path : ResourcePaths) {
        const std::wstring text = path;
        const size_t colon = text.find(L':');
        ASSERT_NE(colon, std::wstring::npos) << narrow(text);
        const std::wstring type = text.substr(0, colon), name = text.substr(colon + 1);
        // The icon group is the standard group-icon resource; the others are named types.
        const wchar_t* typeId = type == L"ICON" ? RT_GROUP_ICON : type.c_str();
        EXPECT_FALSE(resourceBytes(typeId, name.c_str()).empty()) << narrow(text);
    }
}

struct Found {
    std::vector<std::wstring> names;
    std::vector<std::wstring> problems;
};

BOOL CALLBACK onLanguage(HMODULE, LPCWSTR, LPCWSTR name, WORD language, LONG_PTR param) {
    auto* found = reinterpret_cast<Found*>(param);
    if (language != kChineseSimplified) {
        found->problems.push_back(L"language " + std::to_wstring(language) + L" of " +
                                  (IS_INTRESOURCE(name) ? std::to_wstring(LOWORD(name)) : std::wstring(name)));
    }
    return TRUE;
}

BOOL CALLBACK onName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    auto* found = reinterpret_cast<Found*>(param);
    if (!IS_INTRESOURCE(name)) {
        found->names.push_back(name);
        if (upper(name) != name)
            found->problems.push_back(L"name " + std::wstring(name));
    }
    EnumResourceLanguagesW(module, type, name, onLanguage, param);
    return TRUE;
}

BOOL CALLBACK onType(HMODULE module, LPWSTR type, LONG_PTR param) {
    auto* found = reinterpret_cast<Found*>(param);
    if (!IS_INTRESOURCE(type) && upper(type) != type)
        found->problems.push_back(L"type " + std::wstring(type));
    EnumResourceNamesW(module, type, onName, param);
    return TRUE;
}

TEST(ModuleResources, TypesAndNamesAreStoredUpperCaseInLanguage2052) {
    Found found;
    ASSERT_TRUE(EnumResourceTypesW(GetModuleHandleW(nullptr), onType, reinterpret_cast<LONG_PTR>(&found)));
    for (const auto& problem : found.problems)
        ADD_FAILURE() << narrow(problem);
    // 1 definition, 7 layouts, 1 menu, 3 value tables, 49 pictures, 3 icon groups.
    EXPECT_EQ(found.names.size(), 64u);
}

TEST(ModuleResources, PicturesHaveTheirSizesAndKinds) {
    for (const auto& image : expected::kImages) {
        const std::string_view bytes = resourceBytes(L"IMG", std::wstring(image.name).c_str());
        ASSERT_FALSE(bytes.empty()) << narrow(image.name);
        const auto header = resfixture::readImageHeader(bytes);
        ASSERT_TRUE(header) << narrow(image.name);
        EXPECT_EQ(header->kind, image.kind) << narrow(image.name);
        EXPECT_EQ(header->width, image.width) << narrow(image.name);
        EXPECT_EQ(header->height, image.height) << narrow(image.name);
    }
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

struct IconCase {
    const wchar_t* name;
    WORD bits;
};

TEST(ModuleResources, IconGroupsAre48PixelsAtTheirDepthAndLoad) {
    for (const IconCase& icon : {IconCase{L"ICON_LOGO", 32}, IconCase{L"IDI_ICON1", 24}, IconCase{L"IDI_ICON2", 32}}) {
        const std::string_view group = resourceBytes(RT_GROUP_ICON, icon.name);
        ASSERT_GE(group.size(), 6u + sizeof(GroupIconEntry)) << narrow(icon.name);
        const auto* words = reinterpret_cast<const WORD*>(group.data());
        EXPECT_EQ(words[1], 1) << "group type";
        ASSERT_EQ(words[2], 1) << "one image";
        const auto* entry = reinterpret_cast<const GroupIconEntry*>(group.data() + 6);
        EXPECT_EQ(entry->width, 48);
        EXPECT_EQ(entry->height, 48);
        EXPECT_EQ(entry->bitCount, icon.bits) << narrow(icon.name);

        // The image itself: a DIB of that depth that Windows turns into an icon.
        const std::string_view image = resourceBytes(RT_ICON, MAKEINTRESOURCEW(entry->id));
        ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
        const auto* dib = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
        EXPECT_EQ(dib->biWidth, 48);
        EXPECT_EQ(dib->biHeight, 96);
        EXPECT_EQ(dib->biBitCount, icon.bits);
        HICON handle = CreateIconFromResourceEx(reinterpret_cast<BYTE*>(const_cast<char*>(image.data())),
                                                static_cast<DWORD>(image.size()), TRUE, 0x00030000, 48, 48, 0);
        EXPECT_NE(handle, nullptr) << narrow(icon.name);
        if (handle)
            DestroyIcon(handle);
    }
    // The sizes the layouts ask for come from the 48-pixel image.
    for (int size : {32, 16}) {
        HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), L"ICON_LOGO", IMAGE_ICON, size, size, 0);
        EXPECT_NE(icon, nullptr) << size;
        if (icon)
            DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST(ModuleResources, ManifestRunsAsInvokerWithoutUiAccess) {
    const std::string_view manifest = resourceBytes(RT_MANIFEST, MAKEINTRESOURCEW(1));
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string_view::npos);
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string_view::npos);
    EXPECT_EQ(manifest.find("requireAdministrator"), std::string_view::npos);
}

}  // namespace
