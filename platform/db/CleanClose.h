// Clean-close marks: the stamp a database file bore when the last connection to it closed it
// cleanly, kept between runs in a small file of the platform's own, so that opening a file that
// nobody has changed since needs no reading of every page.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <optional>

#include "rtl/StrUtils.h"

namespace vt {

// What shows that nobody wrote to a closed database file: the file itself, its size, its
// modification time and its status-change time (which no program can set back), with neither a
// log nor a journal beside it.
class FileStamp {
 public:
  // The stamp the file bears now; none when it cannot be read.
  static std::optional<FileStamp> Of(const String& path);
  // As Of, and none when a log or journal is beside the file.
  static std::optional<FileStamp> Now(const String& path);
  // The stamp of the file as a clean close leaves it: as Now, and none while the file's times
  // could not yet show a change made at this moment (waiting a clock tick or two for them).
  static std::optional<FileStamp> AfterClose(const String& path);
  bool operator==(const FileStamp&) const;
  String ToText() const;
  static std::optional<FileStamp> FromText(const String& text);
  bool SameFile(const FileStamp& other) const { return device_ == other.device_ && inode_ == other.inode_; }

 private:
  dev_t device_ = 0;
  ino_t inode_ = 0;
  off_t size_ = 0;
  timespec modified_{};
  timespec changed_{};
};

enum class SinceCleanClose {
  NoMark,     // no connection of this platform has closed the file cleanly (or it was not kept)
  Untouched,  // the file bears the stamp of its last clean close
  Changed,    // it was closed cleanly, and changed since (or a log is beside it now)
};

SinceCleanClose StateSinceCleanClose(const String& path);

// After a connection closed the file: marks it with its stamp, unless a log is still beside it
// (another copy has it open) or its times cannot show a change made now. A mark that cannot be
// kept costs the next opening its whole check, nothing else.
void NoteClose(const String& path);

// Where the marks are kept: $XDG_CACHE_HOME/vantrel/clean-closes, else ~/.cache/vantrel/.
String CleanCloseFile();
void SetCleanCloseFileForTests(const String& path);  // "" goes back to the usual place

}  // namespace vt
