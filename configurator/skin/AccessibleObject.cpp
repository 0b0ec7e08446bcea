// <initguid.h> first: MinGW's import library would otherwise give IID_IAccessible as an import
// thunk, and every QueryInterface for it would fail.
#include <initguid.h>

#include "skin/AccessibleObject.h"

namespace {

// No text to tell: S_FALSE and no string.
HRESULT NoText(BSTR* out) noexcept {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    return S_FALSE;
}

}  // namespace

// ---- IUnknown -------------------------------------------------------------------------------

HRESULT AccessibleObject::QueryInterface(REFIID riid, void** object) noexcept {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, IID_IAccessible)) {
        *object = static_cast<IAccessible*>(this);
    } else if (IsEqualIID(riid, IID_IOleWindow)) {
        *object = static_cast<IOleWindow*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG AccessibleObject::AddRef() noexcept {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG AccessibleObject::Release() noexcept {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

// ---- IDispatch ------------------------------------------------------------------------------

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) noexcept {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                 UINT*) noexcept {
    return E_NOTIMPL;
}

// ---- what no control of the skin tells -----------------------------------------------------

HRESULT AccessibleObject::get_accDescription(VARIANT, BSTR* text) noexcept {
    return NoText(text);
}

HRESULT AccessibleObject::get_accHelp(VARIANT, BSTR* help) noexcept {
    return NoText(help);
}

HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT, long* topic) noexcept {
    if (file != nullptr) {
        *file = nullptr;
    }
    if (topic != nullptr) {
        *topic = -1;
    }
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT AccessibleObject::put_accName(VARIANT, BSTR) noexcept {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::put_accValue(VARIANT, BSTR) noexcept {
    return E_NOTIMPL;
}

// ---- IOleWindow -----------------------------------------------------------------------------

HRESULT AccessibleObject::ContextSensitiveHelp(BOOL) noexcept {
    return E_NOTIMPL;
}
