// Loads the built RebootProbe library as the installer does and runs its custom action against
// the installer stand-ins: the library's exports, and what the action asks of the installer in
// each state of the run-once key and of the installer.
#include "rtl/Registry.h"
#include "win/msi/InstallerSessionForTests.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <elf.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace {

using CustomAction = unsigned int (*)(MSIHANDLE);

const String RunOnceEntries = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\RunOnceEntries";

std::vector<char> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <class T>
T ReadAt(const std::vector<char>& image, std::size_t offset) {
    if (offset + sizeof(T) > image.size()) throw std::out_of_range("truncated ELF file");
    T value;
    std::memcpy(&value, image.data() + offset, sizeof(T));
    return value;
}

// The names the library's dynamic symbol table defines for others to bind to.
std::set<std::string> ExportedSymbols(const std::string& path) {
    const std::vector<char> image = ReadFile(path);
    const auto header = ReadAt<Elf64_Ehdr>(image, 0);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
        throw std::runtime_error("not a 64-bit ELF file: " + path);
    auto section = [&](std::size_t i) {
        return ReadAt<Elf64_Shdr>(image, header.e_shoff + i * header.e_shentsize);
    };
    std::set<std::string> names;
    for (std::size_t i = 0; i < header.e_shnum; ++i) {
        const Elf64_Shdr table = section(i);
        if (table.sh_type != SHT_DYNSYM) continue;
        const Elf64_Shdr strings = section(table.sh_link);
        for (std::size_t s = 0; s < table.sh_size / sizeof(Elf64_Sym); ++s) {
            const auto symbol = ReadAt<Elf64_Sym>(image, table.sh_offset + s * sizeof(Elf64_Sym));
            const unsigned binding = ELF64_ST_BIND(symbol.st_info);
            if (symbol.st_shndx == SHN_UNDEF || (binding != STB_GLOBAL && binding != STB_WEAK) ||
                ELF64_ST_VISIBILITY(symbol.st_other) != STV_DEFAULT)
                continue;
            names.insert(image.data() + strings.sh_offset + symbol.st_name);
        }
    }
    return names;
}

TEST(RebootProbeLibrary, ExportsTheCustomActionAlone) {
    EXPECT_EQ(ExportedSymbols(REBOOTPROBE_LIBRARY), std::set<std::string>{"AccessNeedsReboot"});
}

struct ProbeCase {
    const char* name;
    const char* keyWritten;  // the run-once key as the store holds it; nullptr: absent
    unsigned keyAllows;
    vt::InstallerSessionSettings installer;
    bool rebootRequested;
    const char* errorShown;  // field 1 of the one error message; nullptr: no message
};

const ProbeCase probeCases[] = {
    {"KeyAbsent", nullptr, KEY_ALL_ACCESS, {}, false, nullptr},
    {"KeyRefusesFullAccess", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\RunOnceEntries",
     KEY_READ, {}, false, nullptr},
    {"KeyPresentRebootAccepted",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\RunOnceEntries", KEY_ALL_ACCESS, {},
     true, nullptr},
    {"KeyInOtherLetterCase", "software\\MICROSOFT\\windows\\currentversion\\installer\\runonceentries",
     KEY_ALL_ACCESS, {}, true, nullptr},
    {"RebootRefusedWithSystemText",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\RunOnceEntries", KEY_ALL_ACCESS,
     {ERROR_INSTALL_FAILURE, ERROR_ACCESS_DENIED}, false, "Access is denied.\r\n"},
    {"RebootRefusedWithUnknownCode",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\RunOnceEntries", KEY_ALL_ACCESS,
     {ERROR_INSTALL_FAILURE, 48879}, false, "Unknown error 48879"},
};

void PrintTo(const ProbeCase& probeCase, std::ostream* out) { *out << probeCase.name; }

class AccessNeedsReboot : public testing::TestWithParam<ProbeCase> {
protected:
    static void SetUpTestSuite() {
        library = dlopen(REBOOTPROBE_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        action = reinterpret_cast<CustomAction>(dlsym(library, "AccessNeedsReboot"));
        ASSERT_NE(action, nullptr) << dlerror();
    }
    static void TearDownTestSuite() { dlclose(library); }

    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("rebootprobe-" + std::to_string(getpid()) + "-" + GetParam().name);
        std::filesystem::create_directories(folder);
        vt::SetRegistryFileForTests((folder / "registry.ini").string());
        if (GetParam().keyWritten != nullptr) {
            TRegistry registry;
            registry.SetRootKey(HKEY_LOCAL_MACHINE);
            ASSERT_TRUE(registry.OpenKey(GetParam().keyWritten, true));
        }
        vt::SetRegistryKeyAccessForTests("HKEY_LOCAL_MACHINE\\" + RunOnceEntries, GetParam().keyAllows);
        session = vt::OpenInstallerSessionForTests(GetParam().installer);
    }
    void TearDown() override {
        vt::CloseInstallerSessionForTests(session);
        vt::SetRegistryKeyAccessForTests("HKEY_LOCAL_MACHINE\\" + RunOnceEntries, KEY_ALL_ACCESS);
        vt::SetRegistryFileForTests("");
        std::filesystem::remove_all(folder);
    }

    static inline void* library = nullptr;
    static inline CustomAction action = nullptr;
    std::filesystem::path folder;
    MSIHANDLE session = 0;
};

TEST_P(AccessNeedsReboot, ReportsSuccessAndAsksTheInstallerOnlyWhatTheStateCallsFor) {
    const ProbeCase& expected = GetParam();
    const vt::OpenHandleCounts openBefore = vt::OpenHandlesForTests();

    EXPECT_EQ(action(session), 0u);

    const auto modes = vt::RunModesSetForTests(session);
    if (expected.rebootRequested) {
        ASSERT_EQ(modes.size(), 1u);
        EXPECT_EQ(modes[0].RunMode, MSIRUNMODE_REBOOTATEND);
        EXPECT_EQ(modes[0].State, TRUE);
    } else {
        EXPECT_TRUE(modes.empty());
    }
    const auto messages = vt::MessagesProcessedForTests(session);
    if (expected.errorShown != nullptr) {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].Type, INSTALLMESSAGE_ERROR);
        ASSERT_EQ(messages[0].Fields.size(), 2u);
        EXPECT_EQ(messages[0].Fields[1], expected.errorShown);
    } else {
        EXPECT_TRUE(messages.empty());
    }
    const vt::OpenHandleCounts openAfter = vt::OpenHandlesForTests();
    EXPECT_EQ(openAfter.Records, openBefore.Records);
    EXPECT_EQ(openAfter.RegistryKeys, openBefore.RegistryKeys);
    EXPECT_EQ(openAfter.LocalBuffers, openBefore.LocalBuffers);
}

INSTANTIATE_TEST_SUITE_P(States, AccessNeedsReboot, testing::ValuesIn(probeCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
