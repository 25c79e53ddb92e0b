#include <soui/SControls.h>
#include <soui/SObjectFactory.h>

namespace SOUI {

SObjectFactory::SObjectFactory(LPCWSTR className, int classType) : className_(className), classType_(classType) {}
SObjectFactory::~SObjectFactory() = default;

SObjectFactoryMgr::SObjectFactoryMgr() = default;
SObjectFactoryMgr::~SObjectFactoryMgr() = default;

BOOL SObjectFactoryMgr::RegisterFactory(const SObjectFactory& factory, BOOL replace) {
    const std::wstring name = factory.GetClassName().c_str();
    if (name.empty()) {
        return FALSE;
    }
    auto it = factories_.find(name);
    if (it != factories_.end() && !replace) {
        return FALSE;
    }
    factories_[name].reset(factory.Clone());
    return TRUE;
}

BOOL SObjectFactoryMgr::UnregisterFactory(LPCWSTR className) {
    return factories_.erase(className ? className : L"") > 0;
}

BOOL SObjectFactoryMgr::HasFactory(LPCWSTR className) const {
    return factories_.count(className ? className : L"") > 0;
}

SWindow* SObjectFactoryMgr::CreateWindowByName(LPCWSTR className) const {
    auto it = factories_.find(className ? className : L"");
    return it == factories_.end() ? nullptr : it->second->NewObject();
}

namespace {

// "root" is a plain window that fills its parent unless placed.
class SRootWindow : public SWindow {
  public:
    static LPCWSTR GetClassName() { return L"root"; }
};

}  // namespace

SObjectDefaultRegister::SObjectDefaultRegister() = default;
SObjectDefaultRegister::~SObjectDefaultRegister() = default;

void SObjectDefaultRegister::RegisterWindows(SObjectFactoryMgr* mgr) const {
    mgr->RegisterFactory(TplSObjectFactory<SWindow>());
    mgr->RegisterFactory(TplSObjectFactory<SRootWindow>());
    mgr->RegisterFactory(TplSObjectFactory<SStatic>());
    mgr->RegisterFactory(TplSObjectFactory<SImageWnd>());
    mgr->RegisterFactory(TplSObjectFactory<SButton>());
    mgr->RegisterFactory(TplSObjectFactory<SImageButton>());
    mgr->RegisterFactory(TplSObjectFactory<SLink>());
    mgr->RegisterFactory(TplSObjectFactory<SCaption>());
    mgr->RegisterFactory(TplSObjectFactory<SRealWnd>());
}

}  // namespace SOUI
