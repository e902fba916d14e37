// The stamps of closed database files and the file that keeps them: one line per file, the
// latest closes last, written whole under a new name and renamed over the old one so that two
// copies of the program closing at once never leave half a file.
#include "db/CleanClose.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <tuple>
#include <vector>

namespace vt {

namespace {

String cleanCloseFileOverride;
// The marks of this many files are kept; older ones are dropped.
const size_t kMostMarks = 64;

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

std::vector<FileStamp> LoadMarks() {
  std::vector<FileStamp> marks;
  std::ifstream in(CleanCloseFile());
  String line;
  while (std::getline(in, line))
    if (std::optional<FileStamp> mark = FileStamp::FromText(line)) marks.push_back(*mark);
  return marks;
}

void SaveMarks(const std::vector<FileStamp>& marks) {
  const std::filesystem::path file = CleanCloseFile();
  const std::filesystem::path written = file.string() + "." + std::to_string(getpid());
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  {
    std::ofstream out(written, std::ios::trunc);
    for (const FileStamp& mark : marks) out << mark.ToText() << '\n';
    if (!out.flush()) error = std::make_error_code(std::errc::io_error);
  }
  if (!error) std::filesystem::rename(written, file, error);
  if (error) std::filesystem::remove(written, error);
}

}  // namespace

std::optional<FileStamp> FileStamp::Of(const String& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return std::nullopt;
  FileStamp stamp;
  stamp.device_ = info.st_dev;
  stamp.inode_ = info.st_ino;
  stamp.size_ = info.st_size;
  stamp.modified_ = info.st_mtim;
  stamp.changed_ = info.st_ctim;
  return stamp;
}

std::optional<FileStamp> FileStamp::Now(const String& path) {
  if (Exists(path + "-wal") || Exists(path + "-journal")) return std::nullopt;
  return Of(path);
}

// A close that has just written the file leaves it with the clock's current tick; the next
// tick comes within a few milliseconds.
std::optional<FileStamp> FileStamp::AfterClose(const String& path) {
  for (int wait = 0; wait < 20; ++wait) {
    std::optional<FileStamp> stamp = Now(path);
    if (!stamp || ChangeWouldShow(stamp->modified_, stamp->changed_)) return stamp;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return std::nullopt;
}

bool FileStamp::operator==(const FileStamp& other) const {
  const auto times = [](const timespec& t) { return std::tie(t.tv_sec, t.tv_nsec); };
  return SameFile(other) && size_ == other.size_ && times(modified_) == times(other.modified_) &&
         times(changed_) == times(other.changed_);
}

String FileStamp::ToText() const {
  std::ostringstream text;
  text << device_ << ' ' << inode_ << ' ' << size_ << ' ' << modified_.tv_sec << ' ' << modified_.tv_nsec << ' '
       << changed_.tv_sec << ' ' << changed_.tv_nsec;
  return text.str();
}

std::optional<FileStamp> FileStamp::FromText(const String& text) {
  std::istringstream in(text);
  FileStamp stamp;
  in >> stamp.device_ >> stamp.inode_ >> stamp.size_ >> stamp.modified_.tv_sec >> stamp.modified_.tv_nsec >>
      stamp.changed_.tv_sec >> stamp.changed_.tv_nsec;
  if (in.fail() || !(in >> std::ws).eof()) return std::nullopt;
  return stamp;
}

SinceCleanClose StateSinceCleanClose(const String& path) {
  const std::optional<FileStamp> file = FileStamp::Of(path);
  if (!file) return SinceCleanClose::NoMark;
  for (const FileStamp& mark : LoadMarks())
    if (mark.SameFile(*file)) return FileStamp::Now(path) == mark ? SinceCleanClose::Untouched : SinceCleanClose::Changed;
  return SinceCleanClose::NoMark;
}

void NoteClose(const String& path) {
  const std::optional<FileStamp> stamp = FileStamp::AfterClose(path);
  if (!stamp) return;
  std::vector<FileStamp> marks = LoadMarks();
  std::erase_if(marks, [&](const FileStamp& mark) { return mark.SameFile(*stamp); });
  marks.push_back(*stamp);
  if (marks.size() > kMostMarks) marks.erase(marks.begin(), marks.end() - kMostMarks);
  SaveMarks(marks);
}

String CleanCloseFile() {
  if (!cleanCloseFileOverride.empty()) return cleanCloseFileOverride;
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const char* home = std::getenv("HOME");
  const String folder = cache != nullptr && *cache != '\0' ? String(cache)
                        : home != nullptr                  ? String(home) + "/.cache"
                                                           : String(".cache");
  return folder + "/vantrel/clean-closes";
}

void SetCleanCloseFileForTests(const String& path) { cleanCloseFileOverride = path; }

}  // namespace vt
