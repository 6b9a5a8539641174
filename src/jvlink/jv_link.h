#pragma once

#include <string>

namespace jvlink {

/// The eight operations of the JV-Link control that the program calls, with the
/// result codes it relies on. One instance serves the whole run; it has a single
/// stream, so an open while another stream is open fails with -202.
///
/// Integer results: 0 means success unless said otherwise. Text crossing the
/// interface is Shift-JIS bytes (dataspec names, keys and time stamps are plain ASCII).
class JVLink {
 public:
  virtual ~JVLink() = default;

  /// Registers the program. `sid`: two registration codes and the product name,
  /// each followed by "/", then "Version.1.13". 0 = ready; -101 empty sid,
  /// -102 sid of 64 bytes or more, -103 sid beginning with a space.
  virtual int JVInit(const std::string& sid) = 0;

  /// Shows JV-Link's own settings dialog. 0 = done; anything else is reported.
  virtual int JVSetUIProperties() = 0;

  /// Opens the accumulated data of `dataspec` ("RACE") newer than `fromtime`
  /// (14 digits yyyymmddhhnnss) with `option` 1 (normal data).
  /// 0 = opened, -1 = nothing newer than fromtime, other = error.
  /// Out values: `readcount` files to read, `downloadcount` files still to
  /// download, `lastfiletimestamp` the 14-digit stamp of the newest file offered
  /// (blank or "00000000000000" when none).
  virtual int JVOpen(const std::string& dataspec, const std::string& fromtime, int option,
                     int& readcount, int& downloadcount, std::string& lastfiletimestamp) = 0;

  /// Download progress of the open stored stream: >= 0 files downloaded so far
  /// (equals the download count when done), < 0 error.
  virtual int JVStatus() = 0;

  /// Reads the next record of the open stream into `buff` (replacing its contents).
  /// > 0: one whole record with its CR LF, as Shift-JIS bytes; the value is its length.
  /// 0: all files read. -1: the next file begins. -3: a file is still downloading,
  /// call again. <= -4: error (-201, -203, -402, -403, -502, -503).
  /// `size` is the caller's buffer size (100000 for odds and the stored pull, 60000
  /// otherwise); `filename` receives the name of the file the record comes from.
  virtual int JVRead(std::string& buff, int size, std::string& filename) = 0;

  /// Opens real-time data: "0B30" with a RaceKey (16 digits), "0B12" or "0B14"
  /// with a day (8 digits yyyymmdd). 0 = opened (then read with JVRead), other = error.
  virtual int JVRTOpen(const std::string& dataspec, const std::string& key) = 0;

  /// Stops the running download; a running read loop must stop too.
  virtual int JVCancel() = 0;

  /// Closes the open stream (also when none is open). 0 = closed; other is reported.
  virtual int JVClose() = 0;
};

}  // namespace jvlink
