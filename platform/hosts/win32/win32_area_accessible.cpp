#include "platform/hosts/win32/win32_area_accessible.h"

#include "platform/hosts/win32/win32_api.h"

#include <oleacc.h>

#include <atomic>

namespace {

// Taken from the import library, IID_IAccessible would be a thunk's address.
const IID kIAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const wchar_t* const kDefaultAction = L"Click";

bool self(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// Windows' own object for the area, with four answers of its own.
class AreaObject final : public IAccessible {
public:
    AreaObject(IAccessible* standard, HWND area, const wchar_t* name, UINT actionMessage)
        : standard_(standard)
        , area_(area)
        , name_(name)
        , actionMessage_(actionMessage)
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (id == IID_IUnknown || id == IID_IDispatch || id == kIAccessible) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) {
            standard_->Release();
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override
    {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags, DISPPARAMS* parameters,
        VARIANT* result, EXCEPINFO* exception, UINT* wrong) override
    {
        return standard_->Invoke(member, id, locale, flags, parameters, result, exception, wrong);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (!self(child))
            return standard_->get_accName(child, name);
        *name = SysAllocString(name_);
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        if (!self(child))
            return standard_->get_accRole(child, role);
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        if (!self(child))
            return standard_->get_accDefaultAction(child, action);
        *action = SysAllocString(kDefaultAction);
        return *action ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        if (!self(child))
            return standard_->accDoDefaultAction(child);
        return PostMessageW(area_, actionMessage_, 0, 0) ? S_OK : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override { return standard_->get_accValue(child, value); }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return standard_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override { return standard_->get_accState(child, state); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return standard_->get_accHelp(child, help); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* keys) override
    {
        return standard_->get_accKeyboardShortcut(child, keys);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override { return standard_->get_accSelection(children); }
    HRESULT STDMETHODCALLTYPE accSelect(LONG how, VARIANT child) override { return standard_->accSelect(how, child); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override
    {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override { return standard_->put_accValue(child, value); }

private:
    IAccessible* standard_;
    HWND area_;
    const wchar_t* name_;
    UINT actionMessage_;
    std::atomic<ULONG> references_ {1};
};

} // namespace

long long Win32AreaAccessible::answer(HWND__* area, unsigned long long wParam, long long objectId, const wchar_t* name,
    unsigned actionMessage)
{
    if (static_cast<LONG>(objectId) != OBJID_CLIENT)
        return 0;
    IAccessible* standard = nullptr;
    if (FAILED(CreateStdAccessibleObject(area, OBJID_CLIENT, kIAccessible, reinterpret_cast<void**>(&standard))))
        return 0;
    auto* object = new AreaObject(standard, area, name, actionMessage);
    const LRESULT answered = LresultFromObject(kIAccessible, static_cast<WPARAM>(wParam), object);
    object->Release();
    return answered;
}
