// The class library's registry classes over the platform's own key store: TRegistry reads and
// writes typed values under key paths, TRegIniFile gives one key the interface of an ini file.
// The store is one ini-style file; keys and value names match without regard to letter case.
#pragma once

#include "rtl/Classes.h"
#include "rtl/Exceptions.h"
#include "rtl/StrUtils.h"
#include "rtl/WinTypes.h"

#include <cstdint>

class TStrings;

// Root keys and key handles are numbers, as the class library treats them.
using HKEY = std::uintptr_t;
constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000;
constexpr HKEY HKEY_CURRENT_USER = 0x80000001;
constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;
constexpr HKEY HKEY_USERS = 0x80000003;
constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005;
constexpr HKEY HKEY_DYN_DATA = 0x80000006;

// Access masks.
constexpr unsigned KEY_QUERY_VALUE = 0x0001;
constexpr unsigned KEY_SET_VALUE = 0x0002;
constexpr unsigned KEY_READ = 0x20019;
constexpr unsigned KEY_WRITE = 0x20006;
constexpr unsigned KEY_ALL_ACCESS = 0xF003F;

// The system error codes a failed key operation leaves in LastError() are those of rtl/WinTypes.h.

class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

enum TRegDataType { rdUnknown, rdString, rdInteger };

class TRegistry : public TObject {
public:
    explicit TRegistry(unsigned access = KEY_ALL_ACCESS);

    HKEY RootKey() const { return FRootKey; }
    void SetRootKey(HKEY value);  // closes the current key
    unsigned Access() const { return FAccess; }
    void SetAccess(unsigned value) { FAccess = value; }
    // The open key's path below the root, "" when no key is open (then values go to the root).
    String CurrentPath() const { return FCurrentPath; }
    // ERROR_SUCCESS, or why the last OpenKey / OpenKeyReadOnly failed.
    long LastError() const { return FLastError; }

    // A key starting with "\" is taken from the root, any other from the open key.
    bool OpenKey(const String& key, bool canCreate);
    bool OpenKeyReadOnly(const String& key);  // also switches Access to KEY_READ
    void CloseKey();
    bool KeyExists(const String& key) const;
    bool DeleteKey(const String& key);  // with everything below it
    void GetKeyNames(TStrings* strings) const;

    bool ValueExists(const String& name) const;
    TRegDataType GetDataType(const String& name) const;
    String ReadString(const String& name) const;  // "" reads the default value; missing gives ""
    void WriteString(const String& name, const String& value);
    int ReadInteger(const String& name) const;
    void WriteInteger(const String& name, int value);
    bool DeleteValue(const String& name);
    void GetValueNames(TStrings* strings) const;

protected:
    // Which key is open, for an operation that opens another one for a moment.
    struct OpenState {
        String path;
        bool open;
    };
    OpenState SaveOpenState() const { return {FCurrentPath, FKeyOpen}; }
    void RestoreOpenState(const OpenState& state);

private:
    // A key's path below the root, and a path below the root as the store names it.
    String PathBelowRoot(const String& key) const;
    String StorePath(const String& belowRoot) const;
    String CurrentStorePath() const { return StorePath(FCurrentPath); }
    bool Fail(long error);
    void CheckWriteAccess(const String& name) const;

    HKEY FRootKey = HKEY_CURRENT_USER;
    unsigned FAccess;
    String FCurrentPath;
    bool FKeyOpen = false;
    long FLastError = ERROR_SUCCESS;
};

// Sections are the subkeys of the key named by the file name, idents their values. Integers
// and booleans are written as text, as the class library does.
class TRegIniFile : public TRegistry {
public:
    explicit TRegIniFile(const String& fileName, unsigned access = KEY_ALL_ACCESS);

    String FileName() const { return FFileName; }

    String ReadString(const String& section, const String& ident, const String& defaultValue);
    void WriteString(const String& section, const String& ident, const String& value);
    int ReadInteger(const String& section, const String& ident, int defaultValue);
    void WriteInteger(const String& section, const String& ident, int value);
    bool ReadBool(const String& section, const String& ident, bool defaultValue);
    void WriteBool(const String& section, const String& ident, bool value);
    void ReadSection(const String& section, TStrings* strings);
    void ReadSections(TStrings* strings);
    void EraseSection(const String& section);
    void DeleteKey(const String& section, const String& ident);

    // The key-level operations stay reachable beside the ini-style ones.
    using TRegistry::DeleteKey;
    using TRegistry::ReadInteger;
    using TRegistry::ReadString;
    using TRegistry::WriteInteger;
    using TRegistry::WriteString;

private:
    // Runs `use` with the section's key open (the open key itself for ""), then returns to the
    // key open before. Returns false, running nothing, when the section cannot be opened.
    template <class Use>
    bool InSection(const String& section, bool canCreate, Use use);

    String FFileName;
};

namespace vt {
// The store's file; "" returns to the platform's default under the user's configuration folder.
void SetRegistryFileForTests(const String& path);
String RegistryFile();
// Makes the key at a full path ("HKEY_LOCAL_MACHINE\SOFTWARE\...") refuse opening with any
// access outside allowedMask; KEY_ALL_ACCESS lifts the restriction.
void SetRegistryKeyAccessForTests(const String& path, unsigned allowedMask);
}  // namespace vt
