#pragma once

#include <windows.h>

#include <soui/SString.h>
#include <soui/SouiDefs.h>

#include <map>
#include <memory>
#include <string>

namespace SOUI {

class SWindow;

// Makes elements of one class for the layouts' element name.
class SOUI_EXP SObjectFactory {
  public:
    SObjectFactory(LPCWSTR className, int classType);
    virtual ~SObjectFactory();
    virtual SWindow* NewObject() const = 0;
    virtual SObjectFactory* Clone() const = 0;
    const SStringW& GetClassName() const { return className_; }
    int GetClassType() const { return classType_; }

  protected:
    SObjectFactory(const SObjectFactory&) = default;

  private:
    SStringW className_;
    int classType_;
};

// The factory of an element class T with static GetClassName and GetClassType.
template <class T>
class TplSObjectFactory : public SObjectFactory {
  public:
    TplSObjectFactory() : SObjectFactory(T::GetClassName(), T::GetClassType()) {}
    SWindow* NewObject() const override { return new T; }
    SObjectFactory* Clone() const override { return new TplSObjectFactory<T>(*this); }
};

// The registered element classes, by class name (letter case counts).
class SOUI_EXP SObjectFactoryMgr {
  public:
    SObjectFactoryMgr();
    SObjectFactoryMgr(const SObjectFactoryMgr&) = delete;
    SObjectFactoryMgr& operator=(const SObjectFactoryMgr&) = delete;
    virtual ~SObjectFactoryMgr();

    // Keeps a copy of the factory. A class name already registered is kept unless replace is TRUE;
    // returns TRUE when the copy was registered.
    BOOL RegisterFactory(const SObjectFactory& factory, BOOL replace = FALSE);
    BOOL UnregisterFactory(LPCWSTR className);
    BOOL HasFactory(LPCWSTR className) const;
    // A new element of the class, or null for an unknown class.
    SWindow* CreateWindowByName(LPCWSTR className) const;

  private:
    std::map<std::wstring, std::unique_ptr<SObjectFactory>> factories_;
};

// Registers the library's own element classes with an application.
class SOUI_EXP SObjectDefaultRegister {
  public:
    SObjectDefaultRegister();
    virtual ~SObjectDefaultRegister();
    virtual void RegisterWindows(SObjectFactoryMgr* mgr) const;
};

}  // namespace SOUI
