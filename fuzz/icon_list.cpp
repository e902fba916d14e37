// Icon-list streams: any input is read as the stored list; what reads is written and reads back
// with the same slots, without reading or writing outside a buffer.
#include "components/graphics/IcoList.h"
#include "fuzz/FuzzSupport.h"
#include "rtl/Exceptions.h"
#include "ui/testing/UiTesting.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vt::EnsureTestApplication();
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<std::int64_t>(size));
    stream.SetPosition(0);
    TIconList list;
    try {
        list.LoadFromStream(&stream);
    } catch (const Exception&) {
        return 0;
    }
    TMemoryStream written;
    list.SaveToStream(&written);
    written.SetPosition(0);
    TIconList copy;
    copy.LoadFromStream(&written);
    if (copy.Count() != list.Count())
        vt::fuzz::Fail();
    for (int i = 0; i < list.Count(); ++i)
        if ((copy.Icons(i) == nullptr) != (list.Icons(i) == nullptr || list.Icons(i)->Empty()))
            vt::fuzz::Fail();
    return 0;
}
