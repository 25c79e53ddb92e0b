#include <gtest/gtest.h>

#include "RegisterCommand.h"

namespace {

TEST(RegisterCommand, ModuleLiesInTheExecutablesFolder) {
    struct Case {
        const wchar_t* exe;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"C:\\Program Files\\Bravik\\BravikPdfEditor.exe", L"C:\\Program Files\\Bravik\\wke.dll"},
        {L"C:\\a\\b\\", L"C:\\a\\b\\wke.dll"},
        {L"C:\\x.exe", L"C:\\wke.dll"},
        {L"editor.exe", L"editor.exewke.dll"},  // no backslash: the path stays whole
        {L"", L"wke.dll"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PXV::controlModulePath(c.exe, L"wke.dll"), c.expected) << c.exe;
    }
}

TEST(RegisterCommand, TextHasTwoBlanksQuotesAndATrailingBlank) {
    EXPECT_EQ(PXV::registerCommandText("C:\\Program Files\\Bravik\\wke.dll"),
              "regsvr32  \"C:\\Program Files\\Bravik\\wke.dll\" ");
}

}  // namespace
