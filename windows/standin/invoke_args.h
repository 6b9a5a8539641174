#pragma once

#include <oaidl.h>
#include <windows.h>

#include <string>

namespace standin {

/// The arguments of one IDispatch::Invoke, by their place in the method's list (the
/// caller passes them last first). In-arguments may come by value or by reference,
/// out-arguments must come by reference (directly typed or as a VARIANT), as a late-bound
/// caller of the control passes them.
class InvokeArgs {
 public:
  explicit InvokeArgs(const DISPPARAMS* params) : params_(params) {}

  /// E_INVALIDARG-style failure: DISP_E_BADPARAMCOUNT unless there are `count` arguments.
  HRESULT Expect(unsigned count) const;

  /// In-arguments; false when the argument does not convert.
  bool Text(unsigned index, std::string& out) const;
  bool Int(unsigned index, int& out) const;

  /// Out-arguments; false when the argument is not a reference of a fitting type.
  bool SetText(unsigned index, const std::string& bytes) const;
  bool SetInt(unsigned index, int value) const;
  /// A byte array (VT_ARRAY | VT_UI1) of the record's bytes.
  bool SetBytes(unsigned index, const std::string& bytes) const;

 private:
  VARIANTARG* At(unsigned index) const;
  const DISPPARAMS* params_;
};

}  // namespace standin
