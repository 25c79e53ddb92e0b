#pragma once

#include <windows.h>

#include <soui/IRender.h>
#include <soui/ISkinObj.h>
#include <soui/ISwndContainer.h>
#include <soui/SEvents.h>
#include <soui/SString.h>
#include <soui/SWndStyle.h>
#include <soui/SouiDefs.h>

#include <vector>

namespace SOUI {

// One coordinate of a "pos" attribute.
struct SPosItem {
    enum Kind { FromStart, FromEnd, AfterPrev };
    Kind kind = FromStart;
    int value = 0;
};

// How an element is placed in its parent (from pos, size, weight, extend).
struct SLayoutParam {
    int posCount = 0;  // 0, 2 or 4 items of pos
    SPosItem pos[4];
    int width = -1;  // -1 natural size, -2 fill, else pixels
    int height = -1;
    int weight = 0;
    RECT extend = {0, 0, 0, 0};
};

enum { SIZE_WRAP_CONTENT = -1, SIZE_MATCH_PARENT = -2 };

// An element of a host window's tree. Positions are in the host window's client coordinates.
// Mouse messages reach an element with lParam in those coordinates too.
class SOUI_EXP SWindow {
  public:
    SWindow();
    SWindow(const SWindow&) = delete;
    SWindow& operator=(const SWindow&) = delete;
    virtual ~SWindow();

    // Class information used by the object factory and FindChildByName2.
    static LPCWSTR GetClassName() { return L"window"; }
    static int GetClassType() { return 1; }
    // TRUE when this element is of the named class or derives from it.
    virtual BOOL IsClass(LPCWSTR className) const;
    virtual LPCWSTR GetObjectClass() const;
    virtual int GetObjectType() const;

    // Tree.
    SWindow* GetParent() const { return parent_; }
    int GetChildrenCount() const { return static_cast<int>(children_.size()); }
    SWindow* GetChild(int index) const;
    // Appends a child (taking ownership); the child is created when the tree already is.
    void InsertChild(SWindow* child);
    // The first element with the name in document order, searching depth levels below this one
    // (-1: any depth); null when absent.
    SWindow* FindChildByName(LPCWSTR name, int depth = -1) const;
    SWindow* FindChildByID(int id, int depth = -1) const;
    // As FindChildByName, typed: null (and a log line) when the element is missing or of another class.
    template <class T>
    T* FindChildByName2(LPCWSTR name, int depth = -1) const {
        SWindow* found = FindChildByName(name, depth);
        if (!found || !found->IsClass(T::GetClassName())) {
            LogMissingChild(name, T::GetClassName(), found);
            return nullptr;
        }
        return static_cast<T*>(found);
    }

    // Attributes: the layout's and SetAttribute's names and values (LAYOUTS.md). loading is TRUE
    // while the layout is read; otherwise the tree is laid out again and redrawn. S_OK when taken,
    // E_FAIL for an unknown attribute.
    virtual HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading = FALSE);
    // After an attribute was taken: when not loading, hr S_OK lays the tree out again and redraws,
    // S_FALSE only redraws. Returns hr.
    HRESULT AfterAttribute(const SStringW& name, const SStringW& value, BOOL loading, HRESULT hr);

    // Identity and content.
    const SStringW& GetName() const { return name_; }
    int GetID() const { return id_; }
    void SetID(int id) { id_ = id; }
    SWND GetSwnd() const { return swnd_; }
    virtual SStringW GetWindowText() const { return text_; }
    virtual void SetWindowText(LPCWSTR text);
    const SStringW& GetToolTipText() const { return tip_; }
    ULONG_PTR GetUserData() const { return userData_; }
    ULONG_PTR SetUserData(ULONG_PTR data);
    ISkinObj* GetSkin() const { return skin_; }
    const SStringW& GetSkinName() const { return skinName_; }
    const SwndStyle& GetStyle() const { return style_; }
    SwndStyle& GetStyle() { return style_; }

    // Visibility and state. SetVisible marks the change; update TRUE also repaints at once.
    void SetVisible(BOOL visible, BOOL update = FALSE);
    // The element's own flag, or with checkParent whether it and every ancestor are shown.
    BOOL IsVisible(BOOL checkParent = FALSE) const;
    void EnableWindow(BOOL enable, BOOL update = FALSE);
    BOOL IsDisabled(BOOL checkParent = FALSE) const;
    // The state face: WndState_Disable, WndState_PushDown, WndState_Hover or WndState_Normal.
    DWORD GetState() const;

    // Geometry, in host client coordinates: the window rectangle, and the client rectangle (the
    // window rectangle less the margin).
    void GetWindowRect(LPRECT rc) const;
    void GetClientRect(LPRECT rc) const;
    // Places the element (the layout does this; an explicit move lasts until the next layout).
    void Move(const RECT& rc);

    // Painting.
    void Invalidate();
    void InvalidateRect(const RECT& rc, BOOL clip = TRUE);
    ISwndContainer* GetContainer() const { return container_; }

    // Focus and capture within the host.
    void SetFocus();
    void KillFocus();
    BOOL IsFocused() const;
    void SetCapture();
    void ReleaseCapture();

    // Message processing: the library sends WM_CREATE, WM_DESTROY, WM_SIZE, WM_PAINT (wParam the
    // IRenderTarget*), WM_SETFOCUS / WM_KILLFOCUS (wParam the other element's SWND), mouse and key
    // messages, WM_MOUSEHOVER / WM_MOUSELEAVE (entering and leaving). Returns TRUE when handled.
    virtual BOOL ProcessSwndMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT SendSwndMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The cursor over the element; TRUE when it set one.
    virtual BOOL OnSetCursor(const POINT& pt);
    // DLGC_* bits: which keys the element wants while it has the focus.
    virtual UINT OnGetDlgCode();

    // Base handlers, also called by derived classes that process messages themselves.
    void OnSize(UINT type, SIZE size);
    void OnSetFocus(SWND oldFocus);
    void OnKillFocus(SWND newFocus);

    // The element that takes a mouse message at the point (the deepest shown, enabled element that
    // is not mouse-transparent), or null.
    SWindow* HitTest(const POINT& pt);
    // The size the element asks for when its size is -1; width is the width it will get, or -1.
    virtual SIZE GetDesiredSize(int width);
    // Lays the children out in the client rectangle.
    void UpdateChildrenPosition();
    const SLayoutParam& GetLayoutParam() const { return layout_; }
    BOOL IsMsgTransparent() const { return msgTransparent_; }
    BOOL IsFocusable() const { return focusable_; }

    // Builds the tree below this element from layout XML (used by hosts): creates the children of
    // the XML element `node` (a pugi::xml_node passed as its internal pointer). Internal.
    void CreateChildrenFromXml(const void* xmlNode);
    // Applies the attributes of an XML element (objattr, class, then its own). Internal.
    void InitFromXml(const void* xmlNode);
    // Creates the element in a container (sends WM_CREATE to it and its children). Internal.
    void CreateInContainer(ISwndContainer* container);
    // Sends WM_DESTROY to the element and its children and releases them; the objects are deleted
    // once the current message has been processed. Internal.
    void Destroy();
    BOOL IsDestroyed() const { return destroyed_; }
    // Paints the element and its children through the target. Internal.
    void PaintTree(IRenderTarget* target, const RECT& dirty);

  protected:
    virtual void OnPaint(IRenderTarget* target);
    virtual int OnCreate();
    virtual void OnDestroy();
    // Mouse messages with the point in host coordinates; TRUE when handled.
    virtual BOOL OnMouseEvent(UINT msg, WPARAM flags, const POINT& pt);
    // Fires an event to the host; TRUE when handled.
    BOOL FireEvent(EventArgs& evt);
    // Draws the background colour and skin (its face following the state).
    void DrawBackground(IRenderTarget* target, const RECT& rc);
    // Draws the text with the style's font, colour and flags; a multi-line text with a line
    // spacing is laid out line by line.
    void DrawWindowText(IRenderTarget* target, const RECT& rc);
    IFont* GetCurrentFont();
    void SetHover(BOOL hover);
    void SetPushed(BOOL pushed);
    static void LogMissingChild(LPCWSTR name, LPCWSTR className, const SWindow* found);

    SStringW text_;
    RECT rect_ = {0, 0, 0, 0};
    RECT margin_ = {0, 0, 0, 0};
    RECT padding_ = {0, 0, 0, 0};

  private:
    friend class SHostWnd;
    void ApplyAttrList(const void* list);
    void RelayoutAfterChange(BOOL relayout);
    void SetSkinByName(const SStringW& name);
    void DrawSpacedLines(IRenderTarget* target, RECT area, IFont* font, UINT format, COLORREF color);

    SWindow* parent_ = nullptr;
    std::vector<SWindow*> children_;
    ISwndContainer* container_ = nullptr;
    SWND swnd_ = 0;
    SStringW name_;
    int id_ = 0;
    BOOL idGiven_ = FALSE;
    SStringW tip_;
    SStringW skinName_;
    ISkinObj* skin_ = nullptr;
    int skinAlign_ = 0;
    SwndStyle style_;
    SLayoutParam layout_;
    int boxLayout_ = 0;  // 0 none, 1 vbox, 2 hbox
    int interval_ = 0;
    int gravity_ = 0;  // 0 start, 1 center, 2 end
    BOOL visible_ = TRUE;
    BOOL enabled_ = TRUE;
    BOOL focusable_ = FALSE;
    BOOL created_ = FALSE;
    BOOL destroyed_ = FALSE;
    ULONG_PTR userData_ = 0;
    IFont* font_ = nullptr;
    IFont* fontHover_ = nullptr;

  protected:
    BOOL msgTransparent_ = FALSE;
    BOOL hover_ = FALSE;
    BOOL pushed_ = FALSE;
};

}  // namespace SOUI
