#include "text/com_dispatch_win.h"

namespace trakvel::com {
namespace {

// IID_NULL, which IDispatch wants where it reserves an argument. Spelled out, as the
// named constants come from a library of their own.
constexpr IID kNoInterface{};

// Invokes name on object with the arguments last first, as IDispatch takes them.
HRESULT invoke(IDispatch* object, const wchar_t* name, WORD flags, VARIANT* reversed_arguments,
               UINT count, VARIANT* result) {
  if (object == nullptr) return E_POINTER;
  DISPID id = DISPID_UNKNOWN;
  auto* names = const_cast<LPOLESTR>(name);
  const HRESULT found = object->GetIDsOfNames(kNoInterface, &names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(found)) return found;
  // A property is set through the one named argument DISPID_PROPERTYPUT.
  DISPID named = DISPID_PROPERTYPUT;
  const bool putting = flags == DISPATCH_PROPERTYPUT;
  DISPPARAMS parameters{reversed_arguments, putting ? &named : nullptr, count, putting ? 1u : 0u};
  EXCEPINFO exception{};
  const HRESULT hr = object->Invoke(id, kNoInterface, LOCALE_USER_DEFAULT, flags, &parameters,
                                    result, &exception, nullptr);
  // A failing member describes itself in strings that are ours to free.
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrHelpFile);
  return hr;
}

constexpr WORD kGet = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

}  // namespace

Dispatch& Dispatch::operator=(Dispatch&& other) noexcept {
  if (this != &other) {
    reset();
    object_ = other.release();
  }
  return *this;
}

void Dispatch::reset() {
  if (object_ != nullptr) object_->Release();
  object_ = nullptr;
}

IDispatch* Dispatch::release() {
  IDispatch* object = object_;
  object_ = nullptr;
  return object;
}

Variant::Variant(bool value) : Variant() {
  V_VT(&value_) = VT_BOOL;
  V_BOOL(&value_) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(std::int32_t value) : Variant() {
  V_VT(&value_) = VT_I4;
  V_I4(&value_) = value;
}

Variant::Variant(std::u16string_view text) : Variant() {
  V_VT(&value_) = VT_BSTR;
  V_BSTR(&value_) = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                                      static_cast<UINT>(text.size()));
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) {
  VariantInit(&other.value_);
}

Dispatch Variant::to_dispatch() const {
  if (V_VT(&value_) != VT_DISPATCH || V_DISPATCH(&value_) == nullptr) return {};
  V_DISPATCH(&value_)->AddRef();
  return Dispatch(V_DISPATCH(&value_));
}

// VariantChangeType leaves its source alone, though its declaration does not say so.
VARIANT* Variant::source() const {
  return const_cast<VARIANT*>(&value_);
}

std::int32_t Variant::to_int() const {
  Variant number;
  if (FAILED(VariantChangeType(number.get(), source(), 0, VT_I4))) return 0;
  return V_I4(number.get());
}

std::optional<WideText> Variant::to_text() const {
  if (V_VT(&value_) == VT_EMPTY || V_VT(&value_) == VT_NULL) return std::nullopt;
  Variant text;
  if (FAILED(VariantChangeType(text.get(), source(), 0, VT_BSTR))) return std::nullopt;
  const BSTR units = V_BSTR(text.get());
  return WideText(reinterpret_cast<const char16_t*>(units), SysStringLen(units));
}

Dispatch create_object(const wchar_t* prog_id) {
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(prog_id, &clsid))) return {};
  IDispatch* object = nullptr;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                              __uuidof(IDispatch), reinterpret_cast<void**>(&object)))) {
    return {};
  }
  return Dispatch(object);
}

Variant get(IDispatch* object, const wchar_t* name) {
  Variant result;
  invoke(object, name, kGet, nullptr, 0, result.get());
  return result;
}

Variant call(IDispatch* object, const wchar_t* name, const Variant& argument) {
  VARIANT arguments[] = {argument.value()};
  Variant result;
  invoke(object, name, kGet, arguments, 1, result.get());
  return result;
}

Variant call(IDispatch* object, const wchar_t* name, const Variant& first, const Variant& second) {
  VARIANT arguments[] = {second.value(), first.value()};
  Variant result;
  invoke(object, name, kGet, arguments, 2, result.get());
  return result;
}

bool put(IDispatch* object, const wchar_t* name, const Variant& value) {
  VARIANT arguments[] = {value.value()};
  return SUCCEEDED(invoke(object, name, DISPATCH_PROPERTYPUT, arguments, 1, nullptr));
}

}  // namespace trakvel::com
