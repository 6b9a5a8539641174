#pragma once

#include <oaidl.h>
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "jvlink/jv_link.h"

namespace winhost {

/// One argument of a late-bound call: a value going in, or a place the control fills.
struct DispatchArg {
  enum class Kind { kText, kInt, kTextOut, kIntOut, kBytesOut };
  Kind kind = Kind::kText;
  std::string text;  ///< Shift-JIS bytes in (kText) or out (kTextOut, kBytesOut)
  int number = 0;    ///< in (kInt) or out (kIntOut)
};

/// The control behind its IDispatch, as a JVLink: every operation is looked up by name
/// (once) and invoked with typed references for its out-arguments, as the control
/// declares them; a control that wants its references as VARIANTs gets them so on a type
/// mismatch. Records come through JVGets as bytes; where the control has no JVGets,
/// through JVRead as text converted to Shift-JIS. Must be used on the thread that made
/// the control (its apartment).
class DispatchJVLink : public jvlink::JVLink {
 public:
  /// Takes a reference of `control`.
  explicit DispatchJVLink(IDispatch* control);
  ~DispatchJVLink() override;
  DispatchJVLink(const DispatchJVLink&) = delete;
  DispatchJVLink& operator=(const DispatchJVLink&) = delete;

  int JVInit(const std::string& sid) override;
  int JVSetUIProperties() override;
  int JVOpen(const std::string& dataspec, const std::string& fromtime, int option, int& readcount,
             int& downloadcount, std::string& lastfiletimestamp) override;
  int JVStatus() override;
  int JVRead(std::string& buff, int size, std::string& filename) override;
  int JVRTOpen(const std::string& dataspec, const std::string& key) override;
  int JVCancel() override;
  int JVClose() override;

  /// True when the control has the operation `name`.
  bool Has(const wchar_t* name);

 private:
  /// The operation's result; -401 (the control's internal error) when the call itself
  /// fails, with a line on standard error.
  int Call(const wchar_t* name, std::vector<DispatchArg>& args);
  HRESULT Invoke(DISPID id, std::vector<DispatchArg>& args, bool variant_refs, int& result);
  std::optional<DISPID> IdOf(const wchar_t* name);

  IDispatch* control_;
  std::map<std::wstring, std::optional<DISPID>> ids_;
  std::optional<bool> has_gets_;
};

}  // namespace winhost
