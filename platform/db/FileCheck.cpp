// The checks of a database file before it is written to: SQLite's quick check of every page,
// or the header and the page count; and the stamp that tells an untouched file.
#include "db/FileCheck.h"

#include <sys/stat.h>

#include <tuple>

#include "db/SqliteStatement.h"
#include "rtl/Exceptions.h"

namespace vt {

namespace {

String FirstText(sqlite3* db, const char* sql) {
  SqliteStatement statement(db, sql);
  statement.Step();
  const unsigned char* text = sqlite3_column_text(statement.Handle(), 0);
  return text ? reinterpret_cast<const char*>(text) : "";
}

std::int64_t FirstInteger(sqlite3* db, const char* sql) {
  SqliteStatement statement(db, sql);
  statement.Step();
  return sqlite3_column_int64(statement.Handle(), 0);
}

bool Exists(const String& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

bool operator<(const timespec& a, const timespec& b) { return std::tie(a.tv_sec, a.tv_nsec) < std::tie(b.tv_sec, b.tv_nsec); }

// File times come from the clock's last tick, and a file system that keeps whole seconds (or
// two) cuts them further: a change after this moment bears later times only when the latest
// of the file's times lies before the tick, or, cut to whole seconds, two seconds before it.
bool ChangeWouldShow(const timespec& modified, const timespec& changed) {
  timespec tick{};
  clock_gettime(CLOCK_REALTIME_COARSE, &tick);
  const timespec latest = modified < changed ? changed : modified;
  if (latest.tv_nsec == 0) tick.tv_sec -= 2;
  return latest < tick;
}

// An empty file would be taken for a new database.
void CheckNotEmpty(const String& path, std::int64_t pages) {
  if (pages == 0) throw EDatabaseError(DamagedMessage(path, "the file is empty"));
}

}  // namespace

std::optional<FileStamp> FileStamp::Now(const String& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0 || Exists(path + "-wal") || Exists(path + "-journal")) return std::nullopt;
  FileStamp stamp;
  stamp.device_ = info.st_dev;
  stamp.inode_ = info.st_ino;
  stamp.size_ = info.st_size;
  stamp.modified_ = info.st_mtim;
  stamp.changed_ = info.st_ctim;
  return stamp;
}

std::optional<FileStamp> FileStamp::AfterClose(const String& path) {
  std::optional<FileStamp> stamp = Now(path);
  if (stamp && !ChangeWouldShow(stamp->modified_, stamp->changed_)) stamp.reset();
  return stamp;
}

bool FileStamp::operator==(const FileStamp& other) const {
  const auto times = [](const timespec& t) { return std::tie(t.tv_sec, t.tv_nsec); };
  return device_ == other.device_ && inode_ == other.inode_ && size_ == other.size_ &&
         times(modified_) == times(other.modified_) && times(changed_) == times(other.changed_);
}

void CheckWholeFile(sqlite3* db, const String& path) {
  CheckNotEmpty(path, FirstInteger(db, "PRAGMA page_count"));
  const String check = FirstText(db, "PRAGMA quick_check(1)");
  if (check != "ok") throw EDatabaseError(DamagedMessage(path, check));
}

void CheckFileSize(sqlite3* db, const String& path) {
  const std::int64_t pages = FirstInteger(db, "PRAGMA page_count");
  CheckNotEmpty(path, pages);
  struct stat info;
  if (stat(path.c_str(), &info) == 0 && info.st_size < pages * FirstInteger(db, "PRAGMA page_size"))
    throw EDatabaseError(DamagedMessage(path, "the file is shorter than its header says"));
}

}  // namespace vt
