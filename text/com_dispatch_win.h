// Late-bound calls on automation objects by member name, with owning wrappers for
// the interface pointers and VARIANTs (and so the BSTRs) they pass around. Every
// failure gives an empty result; nothing throws.
#pragma once

#include <windows.h>

#include <objbase.h>
#include <oleauto.h>

#include <cstdint>
#include <optional>
#include <string_view>

#include "text/codepage.h"

namespace trakvel::com {

// One reference to an automation object, released on destruction.
class Dispatch {
 public:
  Dispatch() = default;
  explicit Dispatch(IDispatch* owned) : object_(owned) {}
  ~Dispatch() { reset(); }
  Dispatch(Dispatch&& other) noexcept : object_(other.release()) {}
  Dispatch& operator=(Dispatch&& other) noexcept;
  Dispatch(const Dispatch&) = delete;
  Dispatch& operator=(const Dispatch&) = delete;

  IDispatch* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }
  void reset();

 private:
  IDispatch* release();

  IDispatch* object_ = nullptr;
};

// A VARIANT that owns what it holds, cleared on destruction.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  explicit Variant(bool value);
  explicit Variant(std::int32_t value);
  explicit Variant(std::u16string_view text);  // a BSTR of exactly these code units
  ~Variant() { VariantClear(&value_); }
  Variant(Variant&& other) noexcept;
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  Variant& operator=(Variant&&) = delete;

  VARIANT* get() { return &value_; }
  const VARIANT& value() const { return value_; }

  // The object held, with a reference of its own; empty when it holds none.
  Dispatch to_dispatch() const;
  // The value as a 32-bit number; 0 when it has none.
  std::int32_t to_int() const;
  // The value as text; none when it is Empty or Null or has no text form.
  std::optional<WideText> to_text() const;

 private:
  VARIANT* source() const;

  VARIANT value_;
};

// A new instance of the class registered under prog_id; empty when it cannot be created.
Dispatch create_object(const wchar_t* prog_id);

// Reads a property, or calls a method, of object; Empty when object is null or the call fails.
Variant get(IDispatch* object, const wchar_t* name);
Variant call(IDispatch* object, const wchar_t* name, const Variant& argument);
Variant call(IDispatch* object, const wchar_t* name, const Variant& first, const Variant& second);

// Sets a property of object; false when object is null or the call fails.
bool put(IDispatch* object, const wchar_t* name, const Variant& value);

}  // namespace trakvel::com
