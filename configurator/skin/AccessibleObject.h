#pragma once
// AccessibleObject: the COM side of an accessible object of the skin: reference counting, the
// interfaces it answers to (IAccessible with its IDispatch, IOleWindow), no type information
// (readers call the IAccessible methods directly), and the questions no skinned control answers
// (description, help, and changing a name or value). CZelAccessible answers the rest.

#include <windows.h>
#include <oleacc.h>

class AccessibleObject : public IAccessible, public IOleWindow {
  public:
    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    // IDispatch: no type information; readers call the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID,
                                            DISPID*) noexcept override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) noexcept override;

    // IAccessible: what no control of the skin tells.
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) noexcept override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child,
                                               long* topic) noexcept override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) noexcept override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) noexcept override;

    // IOleWindow
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) noexcept override;

  protected:
    AccessibleObject() = default;
    virtual ~AccessibleObject() = default;
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

  private:
    LONG references_ = 1;
};
