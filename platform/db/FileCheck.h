// Whether a database file is whole, checked before anything is written to it: every page of
// every b-tree read, or, for a file its connection closed cleanly and nobody has changed since,
// only its header and page count against its size.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <optional>

#include "rtl/StrUtils.h"

struct sqlite3;

namespace vt {

// What shows that nobody wrote to a closed database file: the file itself, its size and its
// times, with neither a log nor a journal beside it.
class FileStamp {
 public:
  // The stamp of the file as a clean close leaves it: none when a log or journal is beside it
  // (another copy has it open, or one did not end cleanly), when it cannot be read, or when
  // the file changed so lately that a change made now could bear the same times.
  static std::optional<FileStamp> AfterClose(const String& path);
  // The stamp the file bears now; none when a log or journal is beside it.
  static std::optional<FileStamp> Now(const String& path);
  bool operator==(const FileStamp&) const;

 private:
  dev_t device_ = 0;
  ino_t inode_ = 0;
  off_t size_ = 0;
  timespec modified_{};
  timespec changed_{};
};

// Reads the whole file; raises EDatabaseError naming it as damaged when it is empty or any page
// fails the check.
void CheckWholeFile(sqlite3* db, const String& path);
// The header and the page count it gives against the file's size; raises as CheckWholeFile.
void CheckFileSize(sqlite3* db, const String& path);

}  // namespace vt
