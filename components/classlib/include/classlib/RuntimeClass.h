#pragma once

class CWnd;

// A window class's run-time description: its name, and a factory that builds an object exactly as
// its constructor does (null for classes that are not dynamically creatable).
struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    CWnd* (*m_pfnCreateObject)();
    const CRuntimeClass* m_pBaseClass;

    CWnd* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
    bool IsDerivedFrom(const CRuntimeClass* base) const {
        for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
            if (c == base) {
                return true;
            }
        }
        return false;
    }
};
