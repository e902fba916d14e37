// Tests of the mask engine: typing into the masks the record editors use, the Text and
// EditText conversions both ways, and the check for required positions.
#include "ui/controls/EditMask.h"

#include <gtest/gtest.h>

using vt::EditMask;
using vt::ToUtf32;
using vt::ToUtf8;

namespace {

// Types the keys from the start of an empty entry; '\b' is Backspace. Refused characters
// leave the text and the cursor where they were.
std::u32string Type(const EditMask& mask, const std::string& keys) {
    std::u32string text = mask.EmptyEditText();
    int cursor = 0;
    for (char32_t key : ToUtf32(keys)) {
        if (key == U'\b') cursor = mask.Backspace(text, cursor, cursor);
        else if (int next = mask.InputChar(text, cursor, cursor, key); next >= 0) cursor = next;
    }
    return text;
}

struct TypingCase {
    const char* mask;
    const char* keys;
    const char* editText;
    const char* text;
};

class MaskTyping : public testing::TestWithParam<TypingCase> {};

TEST_P(MaskTyping, GivesEditTextAndText) {
    const TypingCase& c = GetParam();
    EditMask mask(c.mask);
    const std::u32string editText = Type(mask, c.keys);
    EXPECT_EQ(ToUtf8(editText), c.editText);
    EXPECT_EQ(ToUtf8(mask.TextFromEditText(editText)), c.text);
}

INSTANTIATE_TEST_SUITE_P(RecordEditorMasks, MaskTyping, testing::Values(
    TypingCase{"00000\\-9999;1;_", "123456789", "12345-6789", "12345-6789"},
    TypingCase{"00000\\-9999;1;_", "12345", "12345-____", "12345-    "},
    TypingCase{"00000\\-9999;0;_", "12345", "12345-____", "12345"},
    TypingCase{"00000\\-9999;0;_", "12a3x", "123__-____", "123"},
    TypingCase{"00000\\-9999;1;_", "123456\b\b", "1234_-____", "1234 -    "},
    TypingCase{"!\\(999\\)000-0000;1;_", "5551234567", "(555)123-4567", "(555)123-4567"},
    TypingCase{"!\\(999\\)000-0000;1;_", "   1234567", "(___)123-4567", "(   )123-4567"},
    TypingCase{"!\\(999\\)000-0000;0;_", "   1234567", "(___)123-4567", "1234567"},
    TypingCase{"!\\(999\\)000-0000;1;_", "", "(___)___-____", "(   )   -    "},
    TypingCase{"000\\-00\\-0000;1;_", "123456789", "123-45-6789", "123-45-6789"},
    TypingCase{"000\\-00\\-0000;0;_", "123456789", "123-45-6789", "123456789"},
    TypingCase{"!90:00>L;1;_", "1030p", "10:30P", "10:30P"},
    TypingCase{"!90:00>L;1;_", " 930a", "_9:30A", " 9:30A"},
    TypingCase{"!90:00>L;0;_", " 930a", "_9:30A", "930A"},
    TypingCase{"!90:00>L;1;_", "10305", "10:30_", "10:30 "},
    TypingCase{"!L;1;_", "x", "x", "x"},
    TypingCase{"!L;1;_", "5", "_", " "},
    TypingCase{"!L;0;_", "Q\b", "_", ""},
    TypingCase{"<LL>LL<>LL", "aBcDeF", "abCDeF", "abCDeF"},
    TypingCase{"000;0;*", "1", "1**", "1"},
    TypingCase{"0\\;0", "12", "1;2", "1;2"}));

TEST(EditMask, OptionsAndSeparators) {
    EXPECT_FALSE(EditMask("").IsMasked());
    EditMask zip("00000\\-9999;0;_");
    EXPECT_TRUE(zip.IsMasked());
    EXPECT_FALSE(zip.SaveLiterals());
    EXPECT_EQ(zip.Length(), 10);
    EXPECT_TRUE(EditMask("000").SaveLiterals());
    EXPECT_EQ(EditMask("000;1;*").Blank(), U'*');
    // ':' and '/' are the locale's separators, "\:" a plain colon.
    EXPECT_EQ(ToUtf8(EditMask("90:00", ".", "-").EmptyEditText()), "__.__");
    EXPECT_EQ(ToUtf8(EditMask("99/99/0000", ":", ". ").EmptyEditText()), "__. __. ____");
    EXPECT_EQ(ToUtf8(EditMask("90\\:00", ".", "-").EmptyEditText()), "__:__");
}

TEST(EditMask, EditTextFromTextPutsTheValueInPlace) {
    struct Case { const char* mask; const char* text; const char* editText; };
    for (const Case& c : {
             Case{"00000\\-9999;1;_", "12345-    ", "12345-____"},
             Case{"00000\\-9999;1;_", "12345-6789", "12345-6789"},
             Case{"!\\(999\\)000-0000;1;_", "(   )123-4567", "(___)123-4567"},
             Case{"!\\(999\\)000-0000;1;_", "5551234567", "(555)123-4567"},
             Case{"00000\\-9999;0;_", "12345", "12345-____"},
             Case{"!\\(999\\)000-0000;0;_", "1234567", "(___)123-4567"},
             Case{"!90:00>L;1;_", "", "__:___"}}) {
        EditMask mask(c.mask);
        const std::u32string editText = mask.EditTextFromText(ToUtf32(c.text));
        EXPECT_EQ(ToUtf8(editText), c.editText) << c.mask << " / " << c.text;
        // What was read back as Text sets the same entry again.
        EXPECT_EQ(mask.EditTextFromText(mask.TextFromEditText(editText)), editText) << c.mask;
    }
}

TEST(EditMask, FirstMissingFindsTheFirstBlankRequiredPosition) {
    EXPECT_EQ(EditMask("00000\\-9999").FirstMissing(U"12345-____"), -1);
    EXPECT_EQ(EditMask("00000\\-9999").FirstMissing(U"1234_-6789"), 4);
    EXPECT_EQ(EditMask("!\\(999\\)000-0000").FirstMissing(U"(___)123-4567"), -1);
    EXPECT_EQ(EditMask("!\\(999\\)000-0000").FirstMissing(U"(___)123-45 7"), 11);
    EXPECT_EQ(EditMask("!L").FirstMissing(U"_"), 0);
    // Only the any-character position takes a space as an entry.
    EXPECT_EQ(EditMask("CC").FirstMissing(U"a "), -1);
}

TEST(EditMask, SelectionIsBlankedBeforeTyping) {
    EditMask ssn("000\\-00\\-0000;1;_");
    std::u32string text = ToUtf32("123-45-6789");
    EXPECT_EQ(ssn.InputChar(text, 2, 6, U'x'), -1);  // refused: nothing is blanked
    EXPECT_EQ(ToUtf8(text), "123-45-6789");
    EXPECT_EQ(ssn.InputChar(text, 2, 6, U'9'), 4);
    EXPECT_EQ(ToUtf8(text), "129-__-6789");
    EXPECT_EQ(ssn.Delete(text, 7, 11), 7);
    EXPECT_EQ(ToUtf8(text), "129-__-____");
    EXPECT_EQ(ssn.InputChar(text, 11, 11, U'1'), -1);  // nothing editable after the end
}

TEST(EditMask, EditingStepsKeepWithinATextOfAnotherLength) {
    const vt::EditMask mask("00/00;1;_");
    std::u32string cut = U"12";  // as a widget may hand it over, shorter than the mask
    EXPECT_EQ(mask.InputChar(cut, 4, 4, U'5'), 5);
    EXPECT_EQ(cut, U"12/_5");
    std::u32string shorter = U"1";
    EXPECT_EQ(mask.Backspace(shorter, 9, 9), 4);
    EXPECT_EQ(shorter, U"1_/__");
    std::u32string longer = U"12/345";
    mask.Delete(longer, -3, -3);
    EXPECT_EQ(longer, U"_2/34");
    std::u32string empty;
    mask.BlankRange(empty, -5, 99);
    EXPECT_EQ(empty, U"__/__");
}

TEST(EditMask, Utf8RoundTrip) {
    const std::string s = "Zoë – 東京 😀";
    EXPECT_EQ(ToUtf8(ToUtf32(s)), s);
    EXPECT_EQ(ToUtf8(Type(EditMask(">LLL"), "zoë")), "ZOË");
}

}  // namespace
