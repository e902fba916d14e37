// The registry store: any store file either reads or is refused as damaged, and a value written
// under any key and name reads back as written (or the name is refused when written).
#include "fuzz/FuzzSupport.h"
#include "rtl/Registry.h"
#include "rtl/StringList.h"

using vt::fuzz::FuzzInput;

namespace {

void ReadKey(TRegistry& registry, const String& key)
{
    if (!registry.OpenKey(key, false))
        return;
    TStringList names;
    registry.GetValueNames(&names);
    for (int i = 0; i < names.Count(); ++i) {
        if (registry.GetDataType(names[i]) == rdInteger)
            registry.ReadInteger(names[i]);
        else
            registry.ReadString(names[i]);
    }
    registry.GetKeyNames(&names);
}

// Writes through one registry object and reads back through another, as two programs would.
void WriteAndReadBack(const String& key, const String& name, const String& value)
{
    try {
        TRegistry writer;
        if (!writer.OpenKey(key, true))
            return;
        writer.WriteString(name, value);
    } catch (const ERegistryException&) {
        return;  // refused: a name the store cannot hold
    }
    TRegistry reader;
    if (!reader.OpenKey(key, false) || reader.ReadString(name) != value)
        vt::fuzz::Fail();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    vt::SetRegistryFileForTests(vt::fuzz::ScratchFile("registry", in.Next()));
    const String key = in.Next(), name = in.Next(), value = in.Next();
    try {
        TRegistry registry;
        ReadKey(registry, key);
    } catch (const ERegistryException&) {
        // a damaged store is refused, never read as empty
    }
    vt::SetRegistryFileForTests(vt::fuzz::ScratchFile("registry", ""));
    WriteAndReadBack(key, name, value);
    return 0;
}
