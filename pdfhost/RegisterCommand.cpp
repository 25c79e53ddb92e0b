#include "RegisterCommand.h"

namespace PXV {

std::wstring controlModulePath(const std::wstring& executablePath, const std::wstring& controlFile) {
    size_t slash = executablePath.rfind(L'\\');
    std::wstring folder = slash == std::wstring::npos ? executablePath : executablePath.substr(0, slash + 1);
    return folder + controlFile;
}

std::string registerCommandText(const std::string& ansiModulePath) {
    return "regsvr32  \"" + ansiModulePath + "\" ";
}

}  // namespace PXV
