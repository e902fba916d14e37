// Animated cursors: any input is read as a cursor file, and whatever the read left, loaded or
// failed, is handed on as the program does (an icon list, a bitmap strip with and without colour
// reduction, drawn), without reading or writing outside a buffer.
#include "components/graphics/AniFile.h"
#include "components/graphics/IcoList.h"
#include "rtl/Exceptions.h"
#include "ui/testing/UiTesting.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vt::EnsureTestApplication();
    TMemoryStream stream;
    stream.WriteBuffer(data, static_cast<std::int64_t>(size));
    stream.SetPosition(0);
    TAnimatedCursorImage cursor;
    try {
        cursor.LoadFromStream(&stream);
    } catch (const Exception&) {
    }
    TIconList list;
    list.Assign(&cursor);
    for (bool decrease : {false, true}) {
        TBitmap strip;
        try {
            cursor.AssignToBitmap(&strip, clWhite, decrease, decrease);
        } catch (const Exception&) {
        }
        cursor.Draw(strip.Canvas(), Rect(0, 0, 8, 8));
    }
    return 0;
}
