// The accessible object through the C interface: a vtable of plain functions, the layout COM
// calls through.
#define CINTERFACE
#include "panel/access.h"

#include <oleacc.h>

#include "placement/barwindow.h"
#include "system/syslib.h"

const int kNameSize = 64;

// Loaded from System32 by path at the first request: oleacc is no known DLL, and a screen
// reader may never ask. SysAllocString comes from oleaut32, which is one.
static decltype(&CreateStdAccessibleObject) CreateStandardObject;
static decltype(&LresultFromObject) ResultFromObject;
static BSTR(WINAPI *AllocateString)(const OLECHAR *);

static bool LoadAccessibility()
{
    if (ResultFromObject)
        return true;
    const HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
    CreateStandardObject =
        FindCall<decltype(CreateStandardObject)>(oleacc, "CreateStdAccessibleObject");
    AllocateString =
        FindCall<decltype(AllocateString)>(LoadSystemLibrary("oleaut32.dll"), "SysAllocString");
    if (CreateStandardObject && AllocateString)
        ResultFromObject = FindCall<decltype(ResultFromObject)>(oleacc, "LresultFromObject");
    return ResultFromObject != nullptr;
}

struct Accessible {
    IAccessible face; // first: the object COM holds is its face
    LONG references;
    IAccessible *standard; // the system's object of the window
    UINT firstName;
    LONG children;
};

static Accessible *Of(IAccessible *face)
{
    return reinterpret_cast<Accessible *>(face);
}

static IAccessible *Std(IAccessible *face)
{
    return Of(face)->standard;
}

static bool IsSelf(const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

static bool IsNamedChild(IAccessible *face, const VARIANT &child)
{
    return child.vt == VT_I4 && child.lVal > 0 && child.lVal <= Of(face)->children;
}

static HRESULT STDMETHODCALLTYPE QueryInterface(IAccessible *face, REFIID iid, void **object)
{
    *object = nullptr;
    static const IID *const kKnown[] = {&IID_IUnknown, &IID_IDispatch, &IID_IAccessible};
    for (const IID *known : kKnown)
        if (IsEqualIID(iid, *known))
            *object = face;
    if (!*object)
        return E_NOINTERFACE;
    ++Of(face)->references;
    return S_OK;
}

static ULONG STDMETHODCALLTYPE AddRef(IAccessible *face)
{
    return ++Of(face)->references;
}

static ULONG STDMETHODCALLTYPE Release(IAccessible *face)
{
    Accessible *accessible = Of(face);
    const LONG left = --accessible->references;
    if (left == 0) {
        accessible->standard->lpVtbl->Release(accessible->standard);
        HeapFree(GetProcessHeap(), 0, accessible);
    }
    return left;
}

// No late binding: screen readers call the interface itself.
static HRESULT STDMETHODCALLTYPE GetTypeInfoCount(IAccessible *, UINT *count)
{
    *count = 0;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE GetTypeInfo(IAccessible *, UINT, LCID, ITypeInfo **info)
{
    *info = nullptr;
    return E_NOTIMPL;
}

static HRESULT STDMETHODCALLTYPE GetIDsOfNames(IAccessible *, REFIID, LPOLESTR *, UINT, LCID,
                                               DISPID *)
{
    return E_NOTIMPL;
}

static HRESULT STDMETHODCALLTYPE Invoke(IAccessible *, DISPID, REFIID, LCID, WORD, DISPPARAMS *,
                                        VARIANT *, EXCEPINFO *, UINT *)
{
    return E_NOTIMPL;
}

static HRESULT STDMETHODCALLTYPE ChildCount(IAccessible *face, LONG *count)
{
    if (Of(face)->children == 0)
        return Std(face)->lpVtbl->get_accChildCount(Std(face), count);
    *count = Of(face)->children;
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE Name(IAccessible *face, VARIANT child, BSTR *name)
{
    if (!IsNamedChild(face, child))
        return Std(face)->lpVtbl->get_accName(Std(face), child, name);
    wchar_t text[kNameSize] = L"";
    LoadStringW(Instance, Of(face)->firstName + child.lVal - 1, text, kNameSize);
    *name = AllocateString(text);
    return *name ? S_OK : E_OUTOFMEMORY;
}

static HRESULT STDMETHODCALLTYPE Role(IAccessible *face, VARIANT child, VARIANT *role)
{
    if (!IsSelf(child) && !IsNamedChild(face, child))
        return Std(face)->lpVtbl->get_accRole(Std(face), child, role);
    role->vt = VT_I4;
    const bool toolbar = IsSelf(child) && Of(face)->children > 0;
    role->lVal = toolbar ? ROLE_SYSTEM_TOOLBAR : ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
}

// The texts a button has none of, no selection, nothing to change.
static HRESULT STDMETHODCALLTYPE NoText(IAccessible *, VARIANT, BSTR *text)
{
    *text = nullptr;
    return S_FALSE;
}

static HRESULT STDMETHODCALLTYPE NoHelpTopic(IAccessible *, BSTR *file, VARIANT, LONG *)
{
    *file = nullptr;
    return S_FALSE;
}

static HRESULT STDMETHODCALLTYPE NoSelection(IAccessible *, VARIANT *children)
{
    children->vt = VT_EMPTY;
    return S_FALSE;
}

static HRESULT STDMETHODCALLTYPE NoChange(IAccessible *, VARIANT, BSTR)
{
    return E_NOTIMPL;
}

// The rest is the system's object's answer.
static HRESULT STDMETHODCALLTYPE Parent(IAccessible *face, IDispatch **parent)
{
    return Std(face)->lpVtbl->get_accParent(Std(face), parent);
}

static HRESULT STDMETHODCALLTYPE Child(IAccessible *face, VARIANT child, IDispatch **object)
{
    return Std(face)->lpVtbl->get_accChild(Std(face), child, object);
}

static HRESULT STDMETHODCALLTYPE State(IAccessible *face, VARIANT child, VARIANT *state)
{
    return Std(face)->lpVtbl->get_accState(Std(face), child, state);
}

static HRESULT STDMETHODCALLTYPE Focus(IAccessible *face, VARIANT *child)
{
    return Std(face)->lpVtbl->get_accFocus(Std(face), child);
}

static HRESULT STDMETHODCALLTYPE DefaultAction(IAccessible *face, VARIANT child, BSTR *action)
{
    return Std(face)->lpVtbl->get_accDefaultAction(Std(face), child, action);
}

static HRESULT STDMETHODCALLTYPE Select(IAccessible *face, LONG flags, VARIANT child)
{
    return Std(face)->lpVtbl->accSelect(Std(face), flags, child);
}

static HRESULT STDMETHODCALLTYPE Location(IAccessible *face, LONG *x, LONG *y, LONG *width,
                                          LONG *height, VARIANT child)
{
    return Std(face)->lpVtbl->accLocation(Std(face), x, y, width, height, child);
}

static HRESULT STDMETHODCALLTYPE Navigate(IAccessible *face, LONG direction, VARIANT start,
                                          VARIANT *end)
{
    return Std(face)->lpVtbl->accNavigate(Std(face), direction, start, end);
}

static HRESULT STDMETHODCALLTYPE HitTest(IAccessible *face, LONG x, LONG y, VARIANT *child)
{
    return Std(face)->lpVtbl->accHitTest(Std(face), x, y, child);
}

static HRESULT STDMETHODCALLTYPE DoDefaultAction(IAccessible *face, VARIANT child)
{
    return Std(face)->lpVtbl->accDoDefaultAction(Std(face), child);
}

// In the interface's order.
static const IAccessibleVtbl kCalls = {
    QueryInterface, AddRef, Release, GetTypeInfoCount, GetTypeInfo, GetIDsOfNames, Invoke,
    Parent, ChildCount, Child, Name, NoText, NoText, Role, State, NoText, NoHelpTopic, NoText,
    Focus, NoSelection, DefaultAction, Select, Location, Navigate, HitTest, DoDefaultAction,
    NoChange, NoChange};

LRESULT AnswerAccessibleObject(HWND window, LPARAM object, WPARAM flags, UINT firstName,
                               LONG buttons)
{
    if (static_cast<LONG>(object) != OBJID_CLIENT || !LoadAccessibility())
        return 0;
    auto *accessible = static_cast<Accessible *>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(Accessible)));
    if (!accessible)
        return 0;
    if (FAILED(CreateStandardObject(window, OBJID_CLIENT, IID_IAccessible,
                                    reinterpret_cast<void **>(&accessible->standard)))) {
        HeapFree(GetProcessHeap(), 0, accessible);
        return 0;
    }
    accessible->face.lpVtbl = const_cast<IAccessibleVtbl *>(&kCalls);
    accessible->references = 1;
    accessible->firstName = firstName;
    accessible->children = buttons;
    const LRESULT answer =
        ResultFromObject(IID_IAccessible, flags, reinterpret_cast<IUnknown *>(&accessible->face));
    Release(&accessible->face);
    return answer;
}
