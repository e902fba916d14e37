// Tests of the masked edit through Qt key events: typing, Backspace and Esc go through the mask,
// Text follows the save-literals flag, and leaving an incomplete entry raises.
#include "ui/controls/MaskEdit.h"

#include <gtest/gtest.h>

#include "rtl/Locale.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/Clipboard.h"
#include "ui/testing/UiTesting.h"

namespace {

class MaskEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        vt::EnsureTestApplication();
        form_ = new TForm(nullptr);
        edit_ = new TMaskEdit(form_);
        edit_->SetParent(form_);
        edit_->OnChange = [this](TObject*) { ++changes_; };
        form_->Show();
    }
    void TearDown() override { delete form_; }

    // Types from the first position of the entry.
    void TypeFromStart(const String& keys) {
        edit_->SetSelStart(0);
        vt::TypeText(edit_, keys);
    }

    TForm* form_ = nullptr;
    TMaskEdit* edit_ = nullptr;
    int changes_ = 0;
};

TEST_F(MaskEditTest, TypedKeysGiveEditTextAndText) {
    struct Case {
        const char* mask;
        const char* keys;
        const char* editText;
        const char* text;
    };
    for (const Case& c : {
             Case{"00000\\-9999;1;_", "123456789", "12345-6789", "12345-6789"},
             Case{"00000\\-9999;0;_", "12345", "12345-____", "12345"},
             Case{"!\\(999\\)000-0000;1;_", "5551234567", "(555)123-4567", "(555)123-4567"},
             Case{"!\\(999\\)000-0000;0;_", "5551234567", "(555)123-4567", "5551234567"},
             Case{"000\\-00\\-0000;1;_", "12x3456789", "123-45-6789", "123-45-6789"},
             Case{"000\\-00\\-0000;0;_", "123456789", "123-45-6789", "123456789"},
             Case{"!90:00>L;1;_", "1030p", "10:30P", "10:30P"},
             Case{"!90:00>L;0;_", "1030p", "10:30P", "1030P"},
             Case{"!L;1;_", "7q", "q", "q"},
             Case{"!L;0;_", "q", "q", "q"}}) {
        edit_->SetEditMask(c.mask);
        edit_->SetText("");
        TypeFromStart(c.keys);
        EXPECT_EQ(edit_->EditText(), c.editText) << c.mask << " / " << c.keys;
        EXPECT_EQ(edit_->Text(), c.text) << c.mask << " / " << c.keys;
        EXPECT_EQ(edit_->MaxLength(), static_cast<int>(String(c.editText).size())) << c.mask;
    }
}

TEST_F(MaskEditTest, BackspaceAndDeleteBlankPositionsAndEscUndoes) {
    edit_->SetEditMask("00000\\-9999;1;_");
    edit_->SetText("12345-6789");
    EXPECT_FALSE(edit_->Modified());
    edit_->SetSelStart(6);
    vt::SendKey(edit_, VK_BACK);  // skips back over the literal
    EXPECT_EQ(edit_->EditText(), "1234_-6789");
    edit_->SetSelStart(6);
    vt::SendKey(edit_, VK_DELETE);
    EXPECT_EQ(edit_->EditText(), "1234_-_789");
    EXPECT_TRUE(edit_->Modified());
    vt::SendKey(edit_, VK_ESCAPE);
    EXPECT_EQ(edit_->EditText(), "12345-6789");
    EXPECT_FALSE(edit_->Modified());
}

TEST_F(MaskEditTest, OnChangeFiresForTheUsersChangesButNotForTextSetFromCode) {
    edit_->SetEditMask("000;1;_");
    edit_->SetText("999");
    EXPECT_EQ(changes_, 0);
    TypeFromStart("12");
    EXPECT_EQ(changes_, 2);
    TypeFromStart("x");  // refused by the position: no change
    EXPECT_EQ(changes_, 2);
    vt::SendKey(edit_, VK_ESCAPE);  // back to the text set from code
    EXPECT_EQ(edit_->Text(), "999");
    EXPECT_EQ(changes_, 3);
    edit_->SetEditMask("");
    edit_->SetText("plain");
    EXPECT_EQ(changes_, 3);
}

TEST_F(MaskEditTest, ValidateEditRaisesOnlyForAnIncompleteUserEntry) {
    edit_->SetEditMask("!\\(999\\)000-0000;1;_");
    edit_->SetText("(   )12 -4567");  // set from code: not the user's entry
    EXPECT_NO_THROW(edit_->ValidateEdit());

    TypeFromStart("55512");
    try {
        edit_->Perform(CM_EXIT);
        FAIL() << "an incomplete entry must raise on leaving";
    } catch (const EDBEditError& e) {
        EXPECT_STREQ(e.what(), "Invalid input value.  Use escape key to abandon changes");
    }
    EXPECT_EQ(edit_->SelStart(), 7);  // the cursor goes to the first missing position

    TypeFromStart("5551234567");
    EXPECT_NO_THROW(edit_->Perform(CM_EXIT));
    EXPECT_EQ(edit_->Text(), "(555)123-4567");
}

TEST_F(MaskEditTest, PastingTypesTheClipboardThroughTheMaskAndCuttingBlanks) {
    edit_->SetEditMask("000\\-00\\-0000;0;_");
    Clipboard()->SetAsText("12-3x45");
    edit_->SetSelStart(0);
    vt::SendKey(edit_, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(edit_->EditText(), "123-45-____");  // "-" and "x" refused by their positions: skipped
    EXPECT_TRUE(edit_->Modified());

    edit_->SetSelStart(4);
    edit_->SetSelLength(2);
    vt::SendKey(edit_, 'X', TShiftState{ssCtrl});
    EXPECT_EQ(Clipboard()->AsText(), "45");
    EXPECT_EQ(edit_->EditText(), "123-__-____");
    EXPECT_EQ(edit_->Text(), "123");
}

TEST_F(MaskEditTest, ACharacterOutsideTheBasicPlaneTakesOnePositionOfTheMask) {
    edit_->SetEditMask("cccc;1;_");
    Clipboard()->SetAsText("a\xF0\x9F\x98\x80" "b");  // "a", an emoji, "b"
    edit_->SetSelStart(0);
    vt::SendKey(edit_, 'V', TShiftState{ssCtrl});
    EXPECT_EQ(edit_->EditText(), "a\xF0\x9F\x98\x80" "b_");
    vt::TypeText(edit_, "cd");  // "d" finds no position left
    EXPECT_EQ(edit_->EditText(), "a\xF0\x9F\x98\x80" "bc");
    vt::SendKey(edit_, VK_BACK);
    vt::SendKey(edit_, VK_BACK);
    EXPECT_EQ(edit_->EditText(), "a\xF0\x9F\x98\x80" "__");
}

TEST_F(MaskEditTest, WithoutAMaskItIsAPlainEdit) {
    EXPECT_FALSE(edit_->IsMasked());
    vt::TypeText(edit_, "abc");
    EXPECT_EQ(edit_->Text(), "abc");
    vt::SendKey(edit_, VK_BACK);
    EXPECT_EQ(edit_->Text(), "ab");
    EXPECT_NO_THROW(edit_->ValidateEdit());
}

}  // namespace

namespace {

// The mask's "/" stands for the locale's date separator: the same mask set again after the
// separator changed shows the new one, the digits where they were.
TEST_F(MaskEditTest, TheSameMaskSetAgainTakesANewDateSeparator) {
    const FormatSettings saved = Locale();
    Locale().DateSeparator = "/";
    edit_->SetEditMask("!99/99/9999;1;_");
    TypeFromStart("03042024");
    ASSERT_EQ(edit_->EditText(), "03/04/2024");
    Locale().DateSeparator = ".";
    edit_->SetEditMask("!99/99/9999;1;_");
    EXPECT_EQ(edit_->EditText(), "03.04.2024");
    TypeFromStart("1");
    EXPECT_EQ(edit_->Text(), "13.04.2024");
    Locale() = saved;
}

}  // namespace
