// The trash: which trash directory an item goes to, the info record reserved under a free name
// first (so two deletions never share one), then the item renamed into the trash's files. A rename
// that fails takes its record back, so no record is left without its item.
#include "components/system/FileTrash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <ctime>

#include "rtl/FileNames.h"

namespace {

String HomeTrash()
{
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    return dataHome && *dataHome ? String(dataHome) + "/Trash" : String(home ? home : "") + "/.local/share/Trash";
}

// The file system a path lies on, or, for a path not made yet, the one it would be made on.
dev_t DeviceOf(String path)
{
    struct stat st {};
    while (::lstat(path.c_str(), &st) != 0 && path != "/")
        path = ExtractFileDir(path);
    return st.st_dev;
}

// The highest folder above the item on the item's own file system: where it is mounted.
String TopDirectory(const String& item, dev_t device)
{
    String top = ExtractFileDir(item);
    for (String parent = ExtractFileDir(top); top != "/" && DeviceOf(parent) == device; parent = ExtractFileDir(top))
        top = parent;
    return top;
}

// A folder of ours alone: made when missing; an existing one must be a real folder, not a link.
bool PrivateDir(const String& dir)
{
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    return ::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid();
}

bool UsableTrash(const String& trash)
{
    return PrivateDir(trash) && PrivateDir(trash + "/files") && PrivateDir(trash + "/info");
}

// "$top/.Trash/$uid" when the administrator made "$top/.Trash" a sticky folder (not a link),
// else "$top/.Trash-$uid"; "" when neither can be used.
String TopDirectoryTrash(const String& top)
{
    const String uid = std::to_string(::getuid());
    const String shared = IncludeTrailingPathDelimiter(top) + ".Trash";
    struct stat st {};
    if (::lstat(shared.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX) && UsableTrash(shared + "/" + uid))
        return shared + "/" + uid;
    if (UsableTrash(IncludeTrailingPathDelimiter(top) + ".Trash-" + uid))
        return IncludeTrailingPathDelimiter(top) + ".Trash-" + uid;
    return "";
}

// A path as the trash records it: bytes outside the unreserved set percent-escaped.
String EscapedPath(const String& path)
{
    static const char* hex = "0123456789ABCDEF";
    String out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || String("/-._~").find(static_cast<char>(c)) != String::npos) {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

String DeletionDate()
{
    char text[32];
    const std::time_t now = std::time(nullptr);
    struct tm local {};
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", ::localtime_r(&now, &local));
    return text;
}

bool WriteAll(int fd, const String& text)
{
    return ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

// Creates the info record under the first free name ("name", "name.2", ...); "" on failure.
String ReserveRecord(const String& trash, const String& baseName, const String& recordedPath)
{
    for (int n = 1;; ++n) {
        const String name = n == 1 ? baseName : baseName + "." + std::to_string(n);
        if (FileExists(trash + "/files/" + name) || DirectoryExists(trash + "/files/" + name))
            continue;
        const String info = trash + "/info/" + name + ".trashinfo";
        const int fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return "";
        const bool written = WriteAll(fd, "[Trash Info]\nPath=" + EscapedPath(recordedPath) +
                                              "\nDeletionDate=" + DeletionDate() + "\n");
        if (::close(fd) != 0 || !written) {
            ::unlink(info.c_str());
            return "";
        }
        return name;
    }
}

}  // namespace

bool MoveToTrash(const String& path)
{
    const String item = ExcludeTrailingPathDelimiter(ExpandFileName(path));
    struct stat st {};
    if (::lstat(item.c_str(), &st) != 0)
        return false;

    String trash = HomeTrash();
    String recorded = item;
    if (DeviceOf(trash) == st.st_dev) {
        if (!ForceDirectories(trash + "/files") || !ForceDirectories(trash + "/info"))
            return false;
    } else {
        // A top directory's trash records paths relative to that directory.
        const String top = TopDirectory(item, st.st_dev);
        trash = TopDirectoryTrash(top);
        recorded = item.substr(IncludeTrailingPathDelimiter(top).size());
    }
    if (trash.empty())
        return false;

    const String name = ReserveRecord(trash, ExtractFileName(item), recorded);
    if (name.empty())
        return false;
    if (::rename(item.c_str(), (trash + "/files/" + name).c_str()) != 0) {
        ::unlink((trash + "/info/" + name + ".trashinfo").c_str());
        return false;
    }
    return true;
}
