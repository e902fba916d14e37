// The edit-mask engine: any mask, any edit text (of any length, as a widget may hand it over)
// and any sequence of typing, deleting and blanking keep within the text, and the edit text
// stays the mask's length.
#include "fuzz/FuzzSupport.h"
#include "rtl/StrUtils.h"
#include "ui/controls/EditMask.h"

using vt::fuzz::FuzzInput;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const String maskText = in.Next(), timeSeparator = in.Next(), dateSeparator = in.Next();
    const vt::EditMask mask(maskText, timeSeparator, dateSeparator);
    std::u32string editText = vt::ToUtf32(in.Next());
    const std::u32string typed = vt::ToUtf32(in.Next());
    mask.TextFromEditText(editText);
    mask.FirstMissing(editText);
    mask.EditTextFromText(editText);
    std::size_t next = 0;
    while (!in.Empty()) {
        const int start = in.Number(-2, 40), end = start + in.Number(-2, 40);
        switch (in.Number(0, 3)) {
        case 0:
            mask.InputChar(editText, start, end, next < typed.size() ? typed[next++] : U'0');
            break;
        case 1:
            mask.Backspace(editText, start, end);
            break;
        case 2:
            mask.Delete(editText, start, end);
            break;
        default:
            mask.BlankRange(editText, start, end);
        }
        if (mask.IsMasked() && editText.size() != static_cast<std::size_t>(mask.Length()))
            vt::fuzz::Fail();
    }
    vt::ToUtf8(mask.TextFromEditText(editText));
    return 0;
}
