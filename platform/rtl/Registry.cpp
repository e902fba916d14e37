// The key store behind TRegistry and TRegIniFile: the whole tree in one ini-style file, one
// section per key named by its full path. Each operation reads the file afresh and each change
// writes it back before returning, so every registry object and every process sees the others.
#include "rtl/Registry.h"

#include "rtl/StringList.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <vector>

namespace {

// ---- Key paths: parts joined by "\", compared without regard to letter case ----

std::vector<String> SplitKey(const String& key) {
    std::vector<String> parts;
    String part;
    for (char c : key + "\\") {
        if (c != '\\') {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    return parts;
}

String JoinKey(const std::vector<String>& parts) {
    String joined;
    for (const String& part : parts) joined += (joined.empty() ? "" : "\\") + part;
    return joined;
}

String NormalKey(const String& key) { return JoinKey(SplitKey(key)); }

// True when `path` lies somewhere below `ancestor`.
bool IsBelow(const String& path, const String& ancestor) {
    return path.size() > ancestor.size() && path[ancestor.size()] == '\\' &&
           SameText(path.substr(0, ancestor.size()), ancestor);
}

String RootName(HKEY root) {
    static const std::map<HKEY, String> names = {
        {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT"},     {HKEY_CURRENT_USER, "HKEY_CURRENT_USER"},
        {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE"},   {HKEY_USERS, "HKEY_USERS"},
        {HKEY_CURRENT_CONFIG, "HKEY_CURRENT_CONFIG"}, {HKEY_DYN_DATA, "HKEY_DYN_DATA"},
    };
    auto it = names.find(root);
    return it != names.end() ? it->second : "";
}

struct CaseInsensitiveLess {
    bool operator()(const String& a, const String& b) const { return CompareText(a, b) < 0; }
};

// ---- The store's settings ----

String registryFileOverride;
std::map<String, unsigned, CaseInsensitiveLess> keyAccessLimits;

unsigned AllowedAccess(const String& storePath) {
    auto it = keyAccessLimits.find(storePath);
    return it != keyAccessLimits.end() ? it->second : KEY_ALL_ACCESS;
}

// ---- The file ----
// [HKEY_CURRENT_USER\Software\Vantrel]
// @="the default value"
// "Name"="text with \" and \\ escaped"
// "Count"=dword:0000002a

struct RegValue {
    String name;
    TRegDataType type;
    String text;
    std::uint32_t number;
};

struct RegKey {
    String path;
    std::vector<RegValue> values;

    RegValue* Find(const String& name) {
        auto it = std::find_if(values.begin(), values.end(),
                               [&](const RegValue& v) { return SameText(v.name, name); });
        return it != values.end() ? &*it : nullptr;
    }
    void Set(const RegValue& value) {
        if (RegValue* existing = Find(value.name))
            *existing = {existing->name, value.type, value.text, value.number};
        else
            values.push_back(value);
    }
};

String Quote(const String& text) {
    String quoted = "\"";
    for (char c : text) {
        switch (c) {
            case '"': quoted += "\\\""; break;
            case '\\': quoted += "\\\\"; break;
            case '\n': quoted += "\\n"; break;
            case '\r': quoted += "\\r"; break;
            default: quoted += c;
        }
    }
    return quoted + "\"";
}

// Reads a quoted text starting at `at`, leaving `at` after the closing quote.
bool Unquote(const String& line, std::size_t& at, String& text) {
    if (at >= line.size() || line[at] != '"') return false;
    for (++at; at < line.size(); ++at) {
        char c = line[at];
        if (c == '"') {
            ++at;
            return true;
        }
        if (c == '\\' && ++at < line.size()) {
            c = line[at];
            text += c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        } else {
            text += c;
        }
    }
    return false;
}

bool ParseValue(const String& line, RegValue& value) {
    std::size_t at = 0;
    if (line.compare(0, 1, "@") == 0)
        at = 1;
    else if (!Unquote(line, at, value.name))
        return false;
    if (at >= line.size() || line[at++] != '=') return false;
    const String data = line.substr(at);
    if (data.compare(0, 6, "dword:") == 0) {
        value.type = rdInteger;
        char* end = nullptr;
        value.number = static_cast<std::uint32_t>(std::strtoul(data.c_str() + 6, &end, 16));
        return data.size() == 14 && *end == '\0';
    }
    value.type = rdString;
    return Unquote(line, at, value.text) && at == line.size();
}

String FormatValue(const RegValue& value) {
    String line = value.name.empty() ? "@" : Quote(value.name);
    if (value.type == rdString) return line + "=" + Quote(value.text);
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(value.number));
    return line + "=dword:" + hex;
}

class Store {
public:
    static Store Load() {
        Store store;
        const String file = vt::RegistryFile();
        std::ifstream in(file);
        // A file that is there but cannot be read must not pass for an empty store: the next
        // write would replace it.
        if (!in && std::filesystem::exists(file))
            throw ERegistryException("The registry file " + file + " cannot be read");
        String line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.empty() || line[0] == ';') continue;
            if (!store.ReadLine(line))
                throw ERegistryException("The registry file " + file + " is damaged at line " +
                                         IntToStr(number));
        }
        return store;
    }

    void Save() const {
        const std::filesystem::path file = vt::RegistryFile();
        const std::filesystem::path written = file.string() + ".new";
        std::error_code error;
        std::filesystem::create_directories(file.parent_path(), error);
        {
            std::ofstream out(written, std::ios::trunc);
            for (const RegKey& key : keys) {
                out << '[' << key.path << "]\n";
                for (const RegValue& value : key.values) out << FormatValue(value) << '\n';
                out << '\n';
            }
            if (!out.flush()) error = std::make_error_code(std::errc::io_error);
        }
        if (!error) std::filesystem::rename(written, file, error);
        if (error)
            throw ERegistryException("The registry file " + file.string() +
                                     " cannot be written: " + error.message());
    }

    RegKey* Find(const String& path) {
        auto it = std::find_if(keys.begin(), keys.end(),
                               [&](const RegKey& k) { return SameText(k.path, path); });
        return it != keys.end() ? &*it : nullptr;
    }

    // A key exists with a section of its own or with a key below it; a root always exists.
    bool Exists(const String& path) const {
        if (SplitKey(path).size() == 1) return true;
        return std::any_of(keys.begin(), keys.end(), [&](const RegKey& k) {
            return SameText(k.path, path) || IsBelow(k.path, path);
        });
    }

    // Creates the key and every key above it that has no section yet. A name with a line break
    // is refused: the key's section line in the file could not hold it.
    RegKey& Create(const String& path) {
        if (path.find_first_of("\r\n") != String::npos)
            throw ERegistryException("Failed to create key " + path);
        const std::vector<String> parts = SplitKey(path);
        std::vector<String> prefix;
        for (const String& part : parts) {
            prefix.push_back(part);
            const String prefixPath = JoinKey(prefix);
            if (Find(prefixPath) == nullptr && (prefix.size() > 1 || parts.size() == 1))
                keys.push_back({prefixPath, {}});
        }
        return *Find(path);
    }

    // Deletes the key with everything below it; false when there was nothing.
    bool Delete(const String& path) {
        const auto removed = std::remove_if(keys.begin(), keys.end(), [&](const RegKey& k) {
            return SameText(k.path, path) || IsBelow(k.path, path);
        });
        const bool existed = removed != keys.end();
        keys.erase(removed, keys.end());
        return existed;
    }

    // The names of the keys right below `path`, in the order they were created.
    std::vector<String> SubKeyNames(const String& path) const {
        std::vector<String> names;
        const std::size_t depth = SplitKey(path).size();
        for (const RegKey& key : keys) {
            if (!IsBelow(key.path, path)) continue;
            const String name = SplitKey(key.path)[depth];
            if (std::none_of(names.begin(), names.end(),
                             [&](const String& n) { return SameText(n, name); }))
                names.push_back(name);
        }
        return names;
    }

private:
    bool ReadLine(const String& line) {
        if (line.front() == '[') {
            if (line.back() != ']') return false;
            keys.push_back({NormalKey(line.substr(1, line.size() - 2)), {}});
            return true;
        }
        RegValue value{};
        if (keys.empty() || !ParseValue(line, value)) return false;
        keys.back().Set(value);
        return true;
    }

    std::vector<RegKey> keys;
};

std::optional<RegValue> LoadValue(const String& keyPath, const String& name) {
    Store store = Store::Load();
    RegKey* key = store.Find(keyPath);
    const RegValue* value = key != nullptr ? key->Find(name) : nullptr;
    return value != nullptr ? std::optional<RegValue>(*value) : std::nullopt;
}

// Values written with no key open go to the root, as the class library's do.
void StoreValue(const String& keyPath, bool keyOpen, const RegValue& value) {
    Store store = Store::Load();
    RegKey* key = !keyOpen || store.Exists(keyPath) ? &store.Create(keyPath) : nullptr;
    if (key == nullptr) throw ERegistryException("Failed to set data for '" + value.name + "'");
    key->Set(value);
    store.Save();
}

}  // namespace

// ---- TRegistry ----

TRegistry::TRegistry(unsigned access) : FAccess(access) {}

void TRegistry::SetRootKey(HKEY value) {
    if (value == FRootKey) return;
    CloseKey();
    FRootKey = value;
}

String TRegistry::PathBelowRoot(const String& key) const {
    const bool fromRoot = !FKeyOpen || (!key.empty() && key[0] == '\\');
    return NormalKey(fromRoot ? key : FCurrentPath + "\\" + key);
}

String TRegistry::StorePath(const String& belowRoot) const {
    const String root = RootName(FRootKey);
    if (root.empty()) return "";
    return belowRoot.empty() ? root : root + "\\" + belowRoot;
}

bool TRegistry::Fail(long error) {
    FLastError = error;
    return false;
}

bool TRegistry::OpenKey(const String& key, bool canCreate) {
    const String below = PathBelowRoot(key);
    const String path = StorePath(below);
    if (path.empty()) return Fail(ERROR_INVALID_HANDLE);
    Store store = Store::Load();
    if (!store.Exists(path)) {
        if (!canCreate) return Fail(ERROR_FILE_NOT_FOUND);
        store.Create(path);
        store.Save();
    }
    if ((FAccess & ~AllowedAccess(path)) != 0) return Fail(ERROR_ACCESS_DENIED);
    FCurrentPath = below;
    FKeyOpen = true;
    FLastError = ERROR_SUCCESS;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& key) {
    FAccess = KEY_READ;
    return OpenKey(key, false);
}

void TRegistry::CloseKey() {
    FCurrentPath.clear();
    FKeyOpen = false;
}

void TRegistry::RestoreOpenState(const OpenState& state) {
    FCurrentPath = state.path;
    FKeyOpen = state.open;
}

bool TRegistry::KeyExists(const String& key) const {
    const String path = StorePath(PathBelowRoot(key));
    return !path.empty() && Store::Load().Exists(path);
}

bool TRegistry::DeleteKey(const String& key) {
    const String below = PathBelowRoot(key);
    if (below.empty() || StorePath(below).empty()) return false;  // a root is never deleted
    Store store = Store::Load();
    if (!store.Delete(StorePath(below))) return false;
    store.Save();
    return true;
}

void TRegistry::GetKeyNames(TStrings* strings) const {
    strings->Clear();
    for (const String& name : Store::Load().SubKeyNames(CurrentStorePath())) strings->Add(name);
}

bool TRegistry::ValueExists(const String& name) const { return GetDataType(name) != rdUnknown; }

TRegDataType TRegistry::GetDataType(const String& name) const {
    const auto value = LoadValue(CurrentStorePath(), name);
    return value ? value->type : rdUnknown;
}

String TRegistry::ReadString(const String& name) const {
    const auto value = LoadValue(CurrentStorePath(), name);
    if (!value) return "";
    if (value->type != rdString) throw ERegistryException("Invalid data type for '" + name + "'");
    return value->text;
}

int TRegistry::ReadInteger(const String& name) const {
    const auto value = LoadValue(CurrentStorePath(), name);
    if (!value) throw ERegistryException("Failed to get data for '" + name + "'");
    if (value->type != rdInteger) throw ERegistryException("Invalid data type for '" + name + "'");
    return static_cast<int>(value->number);
}

void TRegistry::CheckWriteAccess(const String& name) const {
    if ((FAccess & KEY_SET_VALUE) == 0 || CurrentStorePath().empty())
        throw ERegistryException("Failed to set data for '" + name + "'");
}

void TRegistry::WriteString(const String& name, const String& value) {
    CheckWriteAccess(name);
    StoreValue(CurrentStorePath(), FKeyOpen, {name, rdString, value, 0});
}

void TRegistry::WriteInteger(const String& name, int value) {
    CheckWriteAccess(name);
    StoreValue(CurrentStorePath(), FKeyOpen, {name, rdInteger, "", static_cast<std::uint32_t>(value)});
}

bool TRegistry::DeleteValue(const String& name) {
    if ((FAccess & KEY_SET_VALUE) == 0) return false;
    Store store = Store::Load();
    RegKey* key = store.Find(CurrentStorePath());
    if (key == nullptr || key->Find(name) == nullptr) return false;
    std::erase_if(key->values, [&](const RegValue& v) { return SameText(v.name, name); });
    store.Save();
    return true;
}

void TRegistry::GetValueNames(TStrings* strings) const {
    strings->Clear();
    Store store = Store::Load();
    if (RegKey* key = store.Find(CurrentStorePath()))
        for (const RegValue& value : key->values) strings->Add(value.name);
}

// ---- TRegIniFile ----

TRegIniFile::TRegIniFile(const String& fileName, unsigned access)
    : TRegistry(access), FFileName(fileName) {
    OpenKey(fileName, true);
}

template <class Use>
bool TRegIniFile::InSection(const String& section, bool canCreate, Use use) {
    const OpenState before = SaveOpenState();
    if (!section.empty() && !OpenKey(section, canCreate)) return false;
    try {
        use();
    } catch (...) {
        RestoreOpenState(before);
        throw;
    }
    RestoreOpenState(before);
    return true;
}

String TRegIniFile::ReadString(const String& section, const String& ident,
                               const String& defaultValue) {
    String result = defaultValue;
    InSection(section, false, [&] {
        if (ValueExists(ident)) result = TRegistry::ReadString(ident);
    });
    return result;
}

void TRegIniFile::WriteString(const String& section, const String& ident, const String& value) {
    if (!InSection(section, true, [&] { TRegistry::WriteString(ident, value); }))
        throw ERegistryException("Failed to set data for '" + ident + "'");
}

// Integers are text here, but a number value written by other means reads as well.
int TRegIniFile::ReadInteger(const String& section, const String& ident, int defaultValue) {
    int result = defaultValue;
    InSection(section, false, [&] {
        switch (GetDataType(ident)) {
            case rdString: result = StrToIntDef(TRegistry::ReadString(ident), defaultValue); break;
            case rdInteger: result = TRegistry::ReadInteger(ident); break;
            case rdUnknown: break;
        }
    });
    return result;
}

void TRegIniFile::WriteInteger(const String& section, const String& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

bool TRegIniFile::ReadBool(const String& section, const String& ident, bool defaultValue) {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const String& section, const String& ident, bool value) {
    WriteInteger(section, ident, value ? 1 : 0);
}

void TRegIniFile::ReadSection(const String& section, TStrings* strings) {
    strings->Clear();
    InSection(section, false, [&] { GetValueNames(strings); });
}

void TRegIniFile::ReadSections(TStrings* strings) { GetKeyNames(strings); }

void TRegIniFile::EraseSection(const String& section) { TRegistry::DeleteKey(section); }

void TRegIniFile::DeleteKey(const String& section, const String& ident) {
    InSection(section, false, [&] { DeleteValue(ident); });
}

// ---- The store's settings ----

namespace vt {

void SetRegistryFileForTests(const String& path) { registryFileOverride = path; }

String RegistryFile() {
    if (!registryFileOverride.empty()) return registryFileOverride;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const String folder = config != nullptr && *config != '\0' ? String(config)
                          : home != nullptr                    ? String(home) + "/.config"
                                                               : String(".config");
    return folder + "/vantrel/registry.ini";
}

void SetRegistryKeyAccessForTests(const String& path, unsigned allowedMask) {
    if (allowedMask == KEY_ALL_ACCESS)
        keyAccessLimits.erase(NormalKey(path));
    else
        keyAccessLimits[NormalKey(path)] = allowedMask;
}

}  // namespace vt
