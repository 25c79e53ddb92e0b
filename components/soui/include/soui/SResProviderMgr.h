#pragma once

#include <windows.h>

#include <soui/IResProvider.h>
#include <soui/SString.h>
#include <soui/SouiDefs.h>

#include <string>
#include <vector>

namespace SOUI {

// The providers the library reads its resources from; the provider added last is asked first.
class SOUI_EXP SResProviderMgr {
  public:
    SResProviderMgr();
    SResProviderMgr(const SResProviderMgr&) = delete;
    SResProviderMgr& operator=(const SResProviderMgr&) = delete;
    virtual ~SResProviderMgr();

    // Adds the provider (keeping a reference of its own); when uidef names a UI definition
    // ("uidef:xml_init") it is loaded from this provider and becomes current. FALSE when the
    // definition could not be loaded (the provider stays added; the definition is refused).
    BOOL AddResProvider(IResProvider* provider, LPCWSTR uidef = L"uidef:xml_init");
    void RemoveResProvider(IResProvider* provider);

    // "TYPE:NAME" resources, looked up ignoring case.
    BOOL HasResource(LPCWSTR typeAndName) const;
    BOOL GetRawBuffer(LPCWSTR typeAndName, std::string& data) const;
    // A cursor: an integer resource id (MAKEINTRESOURCE, e.g. IDC_HAND) is a system cursor; a name
    // is a "CURSOR" resource of the providers. fromFile loads a cursor file by path. A cursor that
    // is not there is refused (null).
    HCURSOR LoadCursorW(LPCWSTR resName, BOOL fromFile = FALSE);
    // An icon "NAME:SIZE" of the providers' ICON groups; null when absent.
    HICON LoadIconW(LPCWSTR nameAndSize);
    // Every resource of the type ("LAYOUT") that the providers hold, as "TYPE:NAME" in upper case,
    // each once, in order.
    std::vector<std::wstring> ListResources(LPCWSTR type) const;

  private:
    std::vector<IResProvider*> providers_;
};

}  // namespace SOUI
