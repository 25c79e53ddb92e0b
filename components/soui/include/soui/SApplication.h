#pragma once

#include <windows.h>

#include <soui/IRealWndHandler.h>
#include <soui/IRender.h>
#include <soui/IResProvider.h>
#include <soui/SObjectFactory.h>
#include <soui/SResProviderMgr.h>
#include <soui/SString.h>
#include <soui/TNamedValue.h>

#include <string>
#include <utility>
#include <vector>

namespace SOUI {

// The UI library's application object; one per process.
class SOUI_EXP SApplication : public SResProviderMgr, public SObjectFactoryMgr {
  public:
    // Keeps a reference to the render factory; registers the library's element classes through the
    // register and the window class of host windows, named `name`.
    SApplication(IRenderFactory* renderFactory, HINSTANCE instance, LPCWSTR name, const SObjectDefaultRegister& reg);
    ~SApplication() override;

    static SApplication& getSingleton();
    // Null while no application object exists.
    static SApplication* getSingletonPtr();

    // The table of named control IDs: an element's name gives its ID. The table is copied; it is
    // sorted by name (ordinal) when `sorted` is FALSE; a table that claims to be sorted and is not is
    // refused (and sorted all the same). Returns the number of records.
    int InitXmlNamedID(const TNAMEDVALUE<int>* table, int count, BOOL sorted);
    // The ID of a name (exact, case-sensitive), or 0 when the table has no such name.
    int GetNamedID(LPCWSTR name) const;

    // Reads the library's system skins from the system resource module's provider; they are
    // decoded at once, so the module may be unloaded afterwards. Returns the number of skins.
    UINT LoadSystemNamedResource(IResProvider* provider);

    // Installs the real-window handler (a reference of its own; the previous one is released).
    void SetRealWndHandler(IRealWndHandler* handler);
    IRealWndHandler* GetRealWndHandler() const { return realWndHandler_; }

    // Pumps messages until the window is destroyed (or WM_QUIT arrives); returns WM_QUIT's exit
    // code, or 0 when the window went.
    int Run(HWND mainWnd);

    HINSTANCE GetInstance() const { return instance_; }
    const SStringW& GetAppName() const { return name_; }
    IRenderFactory* GetRenderFactory() const { return renderFactory_; }

  private:
    IRenderFactory* renderFactory_;
    HINSTANCE instance_;
    SStringW name_;
    IRealWndHandler* realWndHandler_ = nullptr;
    std::vector<std::pair<std::wstring, int>> namedIds_;
};

}  // namespace SOUI
