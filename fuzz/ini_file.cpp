// The settings file reader and writer: any file reads without fault, and so does the file
// after any section, key and value are written to it (or refused) and taken out again.
#include "fuzz/FuzzSupport.h"
#include "rtl/Exceptions.h"
#include "rtl/IniFiles.h"
#include "rtl/StringList.h"

using vt::fuzz::FuzzInput;

namespace {

void ReadEverything(const TIniFile& ini)
{
    TStringList sections, keys;
    ini.ReadSections(&sections);
    for (int s = 0; s < sections.Count(); ++s) {
        ini.ReadSection(sections[s], &keys);
        for (int k = 0; k < keys.Count(); ++k) {
            ini.ReadString(sections[s], keys[k], "");
            ini.ReadInteger(sections[s], keys[k], 0);
            ini.ReadBool(sections[s], keys[k], false);
        }
        ini.ReadSectionValues(sections[s], &keys);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    TIniFile ini(vt::fuzz::ScratchFile("ini", in.Next()));
    ReadEverything(ini);
    const String section = in.Next(), key = in.Next(), value = in.Next();
    try {
        ini.WriteString(section, key, value);
    } catch (const EIniFileException&) {
        return 0;  // refused: a line break the file cannot hold
    }
    ReadEverything(ini);
    ini.DeleteKey(section, key);
    ini.EraseSection(section);
    return 0;
}
