// SQLConfigDataSource: the attribute list parsed, a system data source written to the registry
// store, or a database file compacted.
#include "win/odbc/OdbcInstaller.h"

#include <cstring>
#include <utility>
#include <vector>

#include "db/Compaction.h"
#include "rtl/Registry.h"

namespace {

using Attribute = std::pair<String, String>;

std::vector<Attribute> ParseAttributes(LPCSTR list) {
  std::vector<Attribute> attributes;
  for (const char* entry = list; entry && *entry; entry += std::strlen(entry) + 1) {
    const String text = entry;
    const size_t equals = text.find('=');
    if (equals == String::npos) attributes.emplace_back(text, String());
    else attributes.emplace_back(text.substr(0, equals), text.substr(equals + 1));
  }
  return attributes;
}

const String* Find(const std::vector<Attribute>& attributes, const char* keyword) {
  for (const auto& [name, value] : attributes)
    if (SameText(name, keyword)) return &value;
  return nullptr;
}

BOOL ConfigureSystemSource(const char* driver, const std::vector<Attribute>& attributes) {
  const String* dsn = Find(attributes, "DSN");
  if (!dsn || dsn->empty()) return FALSE;
  try {
    TRegistry registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!registry.OpenKey(String(vt::kOdbcIniKey) + "\\" + *dsn, true)) return FALSE;
    registry.WriteString("Driver", driver);
    for (const auto& [name, value] : attributes)
      if (!SameText(name, "DSN")) registry.WriteString(name, value);
    // From the root: a key without a leading backslash would be opened below the data source's own.
    if (!registry.OpenKey(String("\\") + vt::kOdbcIniKey + "\\ODBC Data Sources", true)) return FALSE;
    registry.WriteString(*dsn, driver);
  } catch (const Exception&) {
    return FALSE;  // the installer reports a refused registry write by its result
  }
  return TRUE;
}

// "source" "target" [sort order]: two paths, each in double quotes.
bool ParseCompact(const String& value, String& source, String& target) {
  String* paths[] = {&source, &target};
  size_t at = 0;
  for (String* path : paths) {
    const size_t open = value.find('"', at);
    const size_t close = open == String::npos ? String::npos : value.find('"', open + 1);
    if (close == String::npos) return false;
    *path = value.substr(open + 1, close - open - 1);
    at = close + 1;
  }
  return !source.empty() && !target.empty();
}

BOOL Compact(const String& value) {
  String source, target;
  return ParseCompact(value, source, target) && vt::CompactDatabaseFile(source, target) ? TRUE : FALSE;
}

}  // namespace

BOOL SQLConfigDataSource(HWND, WORD fRequest, LPCSTR lpszDriver, LPCSTR lpszAttributes) {
  if (!lpszDriver || String(lpszDriver) != vt::kAccessDriver) return FALSE;
  const std::vector<Attribute> attributes = ParseAttributes(lpszAttributes);
  if (fRequest == ODBC_CONFIG_SYS_DSN) return ConfigureSystemSource(lpszDriver, attributes);
  if (fRequest == ODBC_ADD_DSN)
    if (const String* compact = Find(attributes, "COMPACT_DB")) return Compact(*compact);
  return FALSE;
}
