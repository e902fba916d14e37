// The visual classes' published properties: found through the ancestors, with their kinds and
// names, and read and written through the controls themselves.
#include "rtl/TypInfo.h"

#include <gtest/gtest.h>

#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

TEST(Published, ControlsReachTheirAncestorsProperties)
{
    vt::EnsureTestApplication();
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    auto* bar = new TProgressBar(&form);

    SetOrdProp(edit, GetPropInfo(edit, "Width"), 140);
    SetStrProp(edit, GetPropInfo(edit, "Text"), "Jo");
    SetOrdProp(bar, GetPropInfo(bar, "Max"), 500);
    EXPECT_EQ(edit->Width(), 140);
    EXPECT_EQ(edit->Text(), "Jo");
    EXPECT_EQ(bar->Max(), 500);
    EXPECT_EQ(vt::ClassOfObject(edit)->ClassName(), "TEdit");

    const TPropInfo* border = GetPropInfo(&form, "BorderStyle");
    SetOrdProp(&form, border, GetEnumValue(border->PropType, "bsDialog"));
    EXPECT_EQ(form.BorderStyle(), bsDialog);
    const TPropInfo* style = GetPropInfo(form.Font(), "Style");
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->PropType->Kind, tkSet);
    EXPECT_EQ(GetEnumName(style->PropType->CompType, 1), "fsItalic");
    const TPropInfo* font = GetPropInfo(edit, "Font");
    EXPECT_EQ(font->PropType->ClassType, vt::ClassOf<TFont>());
    EXPECT_EQ(GetObjectProp(edit, font), edit->Font());
    EXPECT_EQ(GetPropInfo(&form, "ActiveControl")->PropType->ClassType, vt::ClassOf<TWinControl>());
    EXPECT_EQ(GetPropInfo(bar, "Text"), nullptr) << "a progress bar publishes no text";
}
