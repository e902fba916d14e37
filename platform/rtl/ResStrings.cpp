// The process-wide string table behind LoadStr. Guarded by a mutex: the timer thread of the
// component library may read texts while the interface thread registers them.
#include "rtl/ResStrings.h"

#include <map>
#include <mutex>

namespace {

std::mutex tableLock;

std::map<int, String>& Table()
{
    static std::map<int, String> table;
    return table;
}

}  // namespace

String LoadStr(int id)
{
    std::lock_guard<std::mutex> guard(tableLock);
    auto found = Table().find(id);
    return found == Table().end() ? String() : found->second;
}

namespace vt {
void RegisterResString(int id, const String& text)
{
    std::lock_guard<std::mutex> guard(tableLock);
    Table()[id] = text;
}
}  // namespace vt
