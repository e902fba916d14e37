// TStringList: sorted insertion and duplicates, Find, objects, name=value lines, text forms
// and the change events around batches.
#include "rtl/StringList.h"

#include <gtest/gtest.h>

#include "rtl/Exceptions.h"
#include "StringsHelper.h"

TEST(StringList, SortedListKeepsOrderAndDuplicateRule)
{
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "banana", "apple"})
        list.Add(s);
    // dupIgnore (the default) drops "apple": equal to "Apple" without regard to case.
    EXPECT_EQ(Lines(list), (std::vector<String>{"Apple", "banana", "pear"}));
    EXPECT_EQ(list.Add("APPLE"), 0);

    list.SetDuplicates(dupError);
    EXPECT_THROW(list.Add("Pear"), EStringListError);
    list.SetDuplicates(dupAccept);
    list.Add("Pear");
    EXPECT_EQ(list.Count(), 4);

    EXPECT_THROW(list.Insert(0, "x"), EStringListError);
    EXPECT_THROW(list.SetStrings(0, "x"), EStringListError);
}

TEST(StringList, FindReportsPositionAndInsertionPoint)
{
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"b", "d", "f"})
        list.Add(s);
    int index = -1;
    EXPECT_TRUE(list.Find("D", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("e", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find("z", index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(list.IndexOf("F"), 2);
    EXPECT_EQ(list.IndexOf("x"), -1);

    list.SetCaseSensitive(true);
    EXPECT_FALSE(list.Find("D", index));
}

TEST(StringList, CaseSensitiveSortPutsSmallLetterFirst)
{
    TStringList list;
    list.SetCaseSensitive(true);
    list.SetDuplicates(dupAccept);
    list.SetCommaText("b,B,a,A");
    list.SetSorted(true);
    EXPECT_EQ(Lines(list), (std::vector<String>{"a", "A", "b", "B"}));
}

TEST(StringList, ObjectsTravelWithTheirLines)
{
    TObject first, second;
    TStringList list;
    list.AddObject("one", &first);
    list.AddObject("two", &second);
    list.Exchange(0, 1);
    EXPECT_EQ(list.Objects(0), &second);
    list.Move(0, 1);
    EXPECT_EQ(list[1], "two");
    EXPECT_EQ(list.Objects(1), &second);
    EXPECT_EQ(list.IndexOfObject(&first), 0);
    list.SetSorted(true);
    EXPECT_EQ(list.Objects(list.IndexOf("two")), &second);
    EXPECT_THROW(list.Objects(2), EStringListError);
    try {
        list.Delete(-1);
        FAIL();
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (-1)");
    }
}

TEST(StringList, NameValueLines)
{
    TStringList list;
    list.SetText("FullPath=/data/camp.mdb\nWidth=12\nnoequals\n");
    EXPECT_EQ(list.Values("fullpath"), "/data/camp.mdb");
    EXPECT_EQ(list.Names(1), "Width");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.IndexOfName("WIDTH"), 1);
    list.SetValues("Width", "14");
    list.SetValues("Height", "3");
    EXPECT_EQ(list[1], "Width=14");
    EXPECT_EQ(list[3], "Height=3");
    list.SetValues("FullPath", "");
    EXPECT_EQ(list.IndexOfName("FullPath"), -1);
}

TEST(StringList, TextAndCommaTextForms)
{
    TStringList list;
    list.SetText("a\r\nb\rc\n\nd");
    EXPECT_EQ(Lines(list), (std::vector<String>{"a", "b", "c", "", "d"}));
    EXPECT_EQ(list.Text(), "a\nb\nc\n\nd\n");

    list.SetCommaText("one, \"two words\",\"say \"\"hi\"\"\",,last,");
    EXPECT_EQ(Lines(list), (std::vector<String>{"one", "two words", "say \"hi\"", "", "last", ""}));
    EXPECT_EQ(list.CommaText(), "one,\"two words\",\"say \"\"hi\"\"\",,last,");
    list.SetCommaText("");
    EXPECT_EQ(list.Count(), 0);
    list.Add("");
    EXPECT_EQ(list.CommaText(), "\"\"");
}

TEST(StringList, ChangeEventsFireOncePerBatch)
{
    TStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = [&](TObject*) { ++changing; };
    list.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &list);
        ++changed;
    };
    list.Add("a");
    EXPECT_EQ(changed, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.Delete(0);
    EXPECT_EQ(changed, 1);
    list.EndUpdate();
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);

    TStringList copy;
    copy.Assign(&list);
    EXPECT_EQ(Lines(copy), (std::vector<String>{"b", "c"}));
}
