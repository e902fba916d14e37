// The data-set utilities over the fixture's People table: conditions built from user text are
// judged by the rows they select (hostile text selects nothing it should not), the sorted search
// and the locate routines by where they leave the cursor.
#include "components/grids/DBUtils.h"

#include "rtl/IniFiles.h"

#include "db/SqlText.h"
#include "rtl/Locale.h"
#include "tests/platform/db/DbFixture.h"
#include "ui/dialogs/DialogResponder.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

#include <gtest/gtest.h>

#include "tests/fixtures/UnderLocale.h"

#include <cmath>

namespace {

class DBUtilsTest : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        vt::EnsureTestApplication();
        savedLocale = Locale();
        Locale().ShortDateFormat = "M/d/yyyy";
        Locale().DateSeparator = '/';
        // Names that look like SQL or like wildcards; DOB 37769 is 5/28/2003, 38000 is 1/14/2004.
        connection_->Execute(
            "INSERT INTO People (LastName, FirstName, DOB, Balance) VALUES "
            "('O''Brien', 'Pat', 38000.25, 3), ('50% Off', 'Sal', NULL, 50), ('Under_score', 'Uma', NULL, 1)");
    }
    void TearDown() override
    {
        Locale() = savedLocale;
        DbFixture::TearDown();
    }

    // The last names of the People rows the condition selects, in key order.
    String Selected(const String& condition)
    {
        TADOQuery* query = Query({});
        query->SQL()->Add("SELECT LastName FROM People WHERE " + condition + " ORDER BY PersonID");
        query->Open();
        String names;
        for (; !query->Eof(); query->Next()) names += (names.empty() ? "" : ",") + query->Fields()->Fields(0)->AsString();
        delete query;
        return names;
    }

    TADOQuery* People(const char* orderBy)
    {
        TADOQuery* query = Query({});
        query->SQL()->Add(String("SELECT * FROM People ORDER BY ") + orderBy);
        query->Open();
        return query;
    }

    FormatSettings savedLocale;
};

struct ConditionCase {
    const char* field;
    const char* op;
    const char* value;
    TFieldType type;
    bool exact;
    bool ansi;
    const char* rows;
};

}  // namespace

TEST_F(DBUtilsTest, ConditionsSelectTheRowsTheUserMeant)
{
    const ConditionCase cases[] = {
        // Loose text: a contained part, any case; quotes are text, not SQL.
        {"LastName", "", "AK", ftString, false, false, "Baker"},
        {"LastName", "", "o'b", ftString, false, false, "O'Brien"},
        {"LastName", "", "x' OR 'a'='a", ftString, false, false, ""},
        {"LastName", "", "x') OR 1=1 --", ftString, false, false, ""},
        {"LastName", "", "' OR LastName LIKE '%", ftString, false, false, ""},
        // The user's own wildcards: * and ? in a loose pattern, % and _ too unless escaped.
        {"LastName", "", "?aker", ftString, false, false, "Baker"},
        {"LastName", "", "C*k", ftString, false, false, "Clark"},
        {"LastName", "", "%", ftString, false, false, "Adams,Baker,Clark,O'Brien,50% Off,Under_score"},
        {"LastName", "", "%", ftString, false, true, "50% Off"},
        {"LastName", "", "r_s", ftString, false, true, "Under_score"},
        {"LastName", "", "r_s", ftString, false, false, "Under_score"},
        {"LastName", "", "d_r", ftString, false, true, ""},
        // Exact text: the whole value, a quote inside it stays text.
        {"LastName", "", "O'Brien", ftString, true, false, "O'Brien"},
        {"LastName", "", "Brien", ftString, true, false, ""},
        {"LastName", "<>", "Adams", ftString, true, false, "Baker,Clark,O'Brien,50% Off,Under_score"},
        // Numbers: the value is a number or nothing is built.
        {"Balance", "", "50", ftCurrency, true, false, "50% Off"},
        {"Balance", ">", "5", ftFloat, true, false, "Adams,Clark,50% Off"},
        {"PersonID", "<=", " 2 ", ftInteger, false, false, "Adams,Baker"},
        {"Active", "", "false", ftBoolean, true, false, "Baker"},
        // Dates: an exact date-time covers the whole day, a loose date means from that day on.
        {"DOB", "", "1/14/2004", ftDateTime, true, false, "Baker,O'Brien"},
        {"DOB", "", "5/28/2003", ftDate, true, false, "Adams"},
        {"DOB", "", "1/1/2004", ftDateTime, false, false, "Baker,O'Brien"},
        {"DOB", "<", "1/1/2004", ftDate, true, false, "Adams"},
        // Empty input, or a date that is none, tests nothing.
        {"LastName", "", "", ftString, false, false, "Adams,Baker,Clark,O'Brien,50% Off,Under_score"},
        {"Balance", "", "", ftFloat, true, false, "Adams,Baker,Clark,O'Brien,50% Off,Under_score"},
        {"DOB", "", "not a date", ftDateTime, true, false, "Adams,Baker,Clark,O'Brien,50% Off,Under_score"},
    };
    for (const ConditionCase& c : cases) {
        const String condition = c.ansi ? FormatAnsiSQLCondition(c.field, c.op, c.value, c.type, c.exact)
                                        : FormatSQLCondition(c.field, c.op, c.value, c.type, c.exact);
        EXPECT_EQ(Selected(condition), c.rows) << c.field << " " << c.op << " [" << c.value << "]";
    }
}

TEST_F(DBUtilsTest, TextWhereANumberIsExpectedIsRefused)
{
    for (const char* hostile : {"1 OR 1=1", "0; DELETE FROM People", "1e3x", "abc", "1,5"}) {
        EXPECT_THROW(FormatSQLCondition("Balance", "=", hostile, ftFloat, true), EDatabaseError) << hostile;
        EXPECT_THROW(FormatSQLCondition("Active", "", hostile, ftBoolean, true), EDatabaseError) << hostile;
    }
    EXPECT_THROW(FormatSQLNumericRange("Balance", std::nan(""), 0, 0, 0, false), EDatabaseError);
    EXPECT_EQ(Selected("PersonID > 0"), "Adams,Baker,Clark,O'Brien,50% Off,Under_score");
}

TEST_F(DBUtilsTest, RangesSelectTheirRows)
{
    const TDateTime may28 = EncodeDate(2003, 5, 28), jan14 = EncodeDate(2004, 1, 14);
    struct {
        String condition;
        const char* rows;
    } cases[] = {
        {FormatSQLDateRange(0, 0, "DOB"), "Adams,Baker,Clark,O'Brien,50% Off,Under_score"},
        {FormatSQLDateRange(may28, may28, "DOB"), "Adams"},
        {FormatSQLDateRange(may28, jan14, "DOB"), "Adams,Baker,O'Brien"},
        {FormatSQLDateRange(may28 + 1, 0, "DOB"), "Baker,O'Brien"},
        {FormatSQLDateRange(0, may28, "DOB"), "Adams"},
        {FormatSQLDateRangeEx(may28 + 1, jan14, "DOB"), "Baker,O'Brien"},
        {FormatSQLDateRangeEx(jan14, 0, "DOB"), "Baker,O'Brien"},
        {FormatSQLDateRangeEx(0, may28 - 1, "DOB"), ""},
        {FormatSQLNumericRange("Balance", 0, 0, 0, 0, false), "Adams,Baker,Clark,O'Brien,50% Off,Under_score"},
        {FormatSQLNumericRange("Balance", 7, 7, -1, -1, false), "Clark"},
        {FormatSQLNumericRange("Balance", 3, 10.5, 0, 0, false), "Clark"},
        {FormatSQLNumericRange("Balance", 3, 10.5, 0, 0, true), "Adams,Clark,O'Brien"},
        {FormatSQLNumericRange("Balance", 0, 3, 0, 0, true), "Baker,O'Brien,Under_score"},
        {FormatSQLNumericRange("Balance", 10.5, 0, 0, 0, true), "Adams,50% Off"},
    };
    for (const auto& c : cases) EXPECT_EQ(Selected(c.condition), c.rows) << c.condition;
    EXPECT_EQ(StrMaskSQL(""), "");
    EXPECT_EQ(StrMaskSQL("a?c"), "a?c");
    EXPECT_EQ(StrMaskSQL("abc"), "*abc*");
    EXPECT_EQ(DateToSQL(jan14 + 0.75), "38000");
}

TEST_F(DBUtilsTest, SortedSearchEndsOnTheFirstMatchOrStaysPut)
{
    connection_->Execute("INSERT INTO People (LastName, FirstName) VALUES ('Baker', 'Ben'), ('Baker', 'Bea')");
    TADOQuery* people = People("LastName, PersonID");
    // 50% Off, Adams, Baker (Bob, Ben, Bea), Clark, O'Brien, Under_score
    EXPECT_TRUE(DataSetSortedSearch(people, "BAK", "LastName", true));
    EXPECT_EQ(people->FieldByName("FirstName")->AsString(), "Bob");
    EXPECT_TRUE(DataSetSortedSearch(people, "Under", "LastName", false));
    EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Under_score");

    people->Last();
    EXPECT_FALSE(DataSetSortedSearch(people, "under", "LastName", false));
    EXPECT_FALSE(DataSetSortedSearch(people, "Zed", "LastName", true));
    EXPECT_EQ(people->RecNo(), people->RecordCount());
    EXPECT_TRUE(DataSetSortedSearch(people, "", "LastName", true));
    EXPECT_EQ(people->RecNo(), 1);
    EXPECT_FALSE(DataSetSortedSearch(people, "x", "NoSuchField", true));
    EXPECT_THROW(DataSetSortedSearch(people, "1", "Balance", true), EDatabaseError);
}

// The list is sorted in the user's language ("Ünal" among the U's); the search finds each name.
TEST_F(DBUtilsTest, SortedSearchComparesAsTheListIsSorted)
{
    vt::testing::UnderLocale german("de_DE.UTF-8");
    connection_->Execute("INSERT INTO People (LastName, FirstName) VALUES ('Ünal', 'Ece'), ('Young', 'Al'), "
                         "('Zeller', 'Jo'), ('Ostrowski', 'Ola')");
    TADOQuery* people = People("LastName, PersonID");
    for (const char* name : {"Ünal", "Young", "Zeller", "Adams", "Ostrowski", "ünal"}) {
        EXPECT_TRUE(DataSetSortedSearch(people, name, "LastName", true)) << name;
        EXPECT_TRUE(AnsiSameText(people->FieldByName("LastName")->AsString(), name)) << name;
    }
    EXPECT_FALSE(DataSetSortedSearch(people, "zeller", "LastName", false));
    EXPECT_TRUE(DataSetSortedSearch(people, "Ün", "LastName", false));  // Ünal sorts before Under_score
    EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Ünal");
    EXPECT_FALSE(DataSetSortedSearch(people, "ün", "LastName", false));
    EXPECT_FALSE(DataSetSortedSearch(people, "Unal", "LastName", true));
}

TEST_F(DBUtilsTest, LocateFindsByTextOrValueAndKeepsThePositionOnFailure)
{
    TADOQuery* people = People("PersonID");
    TLocateObject* locate = CreateLocate(people);
    EXPECT_TRUE(locate->Locate("LastName", "cla", false, false));
    EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Clark");
    EXPECT_FALSE(locate->Locate("LastName", "cla", false, true));
    EXPECT_FALSE(locate->Locate("LastName", "Clar", true, false));
    EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Clark");
    EXPECT_TRUE(locate->Locate("Balance", "50", true, false));
    EXPECT_EQ(people->FieldByName("LastName")->AsString(), "50% Off");
    EXPECT_THROW(locate->Locate("NoSuchField", "x", true, false), EDatabaseError);
    delete locate;

    people->First();
    EXPECT_TRUE(DataSetLocateThrough(people, "LastName;FirstName", VarArrayOf({"o'b", "PAT"}),
                                     TLocateOptions{loCaseInsensitive, loPartialKey}));
    EXPECT_EQ(people->FieldByName("PersonID")->AsInteger(), 4);
    EXPECT_FALSE(DataSetLocateThrough(people, "LastName", Variant("adams"), TLocateOptions{}));
    EXPECT_EQ(people->FieldByName("PersonID")->AsInteger(), 4);
    EXPECT_TRUE(DataSetLocateThrough(people, "Balance", Variant(7.0), TLocateOptions{}));
    EXPECT_EQ(people->FieldByName("LastName")->AsString(), "Clark");
}

TEST_F(DBUtilsTest, ConfirmationsAndRequiredFields)
{
    TADOQuery* people = People("PersonID");
    vt::DialogResponder responder;
    responder.Answer(mrNo);
    EXPECT_FALSE(ConfirmDelete());
    EXPECT_EQ(responder.Shown().at(0).Text, "Delete record?");

    // A changed record: Yes posts, No cancels, Cancel aborts silently and keeps the edit.
    people->Edit();
    people->FieldByName("City")->SetAsString("Denver");
    responder.Answer(mrCancel);
    EXPECT_THROW(ConfirmDataSetCancel(people), EAbort);
    EXPECT_EQ(people->State(), dsEdit);
    responder.Answer(mrYes);
    ConfirmDataSetCancel(people);
    EXPECT_EQ(Scalar("SELECT City FROM People WHERE PersonID = 1").AsString(), "Denver");
    people->Edit();
    people->FieldByName("City")->SetAsString("Reno");
    responder.Answer(mrNo);
    ConfirmDataSetCancel(people);
    EXPECT_EQ(people->FieldByName("City")->AsString(), "Denver");
    EXPECT_EQ(responder.Shown().back().Text, "The data were changed. Save them?");

    people->Last();
    TField* dob = people->FieldByName("DOB");
    try {
        CheckRequiredFields({people->FieldByName("LastName"), dob});
        FAIL() << "an empty required field passed";
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message(), "Field 'DOB' must have a value");
    }
    dob->SetReadOnly(true);
    EXPECT_NO_THROW(CheckRequiredField(dob));
}

TEST_F(DBUtilsTest, AssignRecordCopiesByNameOrPosition)
{
    TADOQuery* people = People("PersonID");
    TADOQuery* target = Query({"SELECT LastName, FirstName, City FROM People WHERE PersonID = 2"});
    target->Open();
    EXPECT_THROW(AssignRecord(people, target, true), EDatabaseError);
    target->Edit();
    AssignRecord(people, target, true);
    target->Post();
    EXPECT_EQ(Scalar("SELECT LastName || FirstName || City FROM People WHERE PersonID = 2").AsString(),
              "AdamsAmyBoston");

    TADOQuery* names = Query({"SELECT FirstName, LastName FROM People WHERE PersonID = 3"});
    names->Open();
    names->Edit();
    AssignRecord(target, names, false);  // LastName into FirstName, FirstName into LastName
    names->Post();
    EXPECT_EQ(Scalar("SELECT FirstName || LastName FROM People WHERE PersonID = 3").AsString(), "AdamsAmy");
}

TEST_F(DBUtilsTest, FieldLayoutsComeBackAndWordsThatAreNoNumbersChangeNothing)
{
    TADOQuery* people = People("PersonID");
    people->SetName("qPeople");
    auto names = [&] {
        String text;
        for (int i = 0; i < people->FieldCount(); ++i) {
            TField* field = people->Fields()->Fields(i);
            text += (i ? " " : "") + field->FieldName() + ":" + IntToStr(field->DisplayWidth()) +
                    (field->Visible() ? "" : "-");
        }
        return text;
    };
    const String designed = names();
    people->FieldByName("City")->SetIndex(0);
    people->FieldByName("LastName")->SetDisplayWidth(12);
    people->FieldByName("Notes")->SetVisible(false);
    const String arranged = names();
    const String iniPath = path_ + ".ini";
    auto* ini = new TIniFile(iniPath);
    SaveFields(people, ini);
    EXPECT_EQ(ini->ReadString("qPeople", "qPeopleLastName", ""), "2,12,1");

    people->FieldByName("City")->SetIndex(7);
    people->FieldByName("LastName")->SetDisplayWidth(25);
    people->FieldByName("Notes")->SetVisible(true);
    ASSERT_EQ(names(), designed);
    RestoreFields(people, ini, false);  // visibility stays
    people->FieldByName("Notes")->SetVisible(false);
    EXPECT_EQ(names(), arranged);
    people->FieldByName("Notes")->SetVisible(true);
    RestoreFields(people, ini, true);
    EXPECT_EQ(names(), arranged);

    ini->WriteString("qPeople", "qPeopleFirstName", "x,wide,no");
    ini->WriteString("qPeople", "qPeopleBalance", "");
    people->FieldByName("Balance")->SetDisplayWidth(9);
    RestoreFields(people, ini, true);
    EXPECT_EQ(names(), StringReplace(arranged, "Balance:10", "Balance:9", {}));

    // A damaged width is kept within the screen (characters times a digit's width must not overflow).
    ini->WriteString("qPeople", "qPeopleFirstName", "1,2000000000");
    RestoreFields(people, ini, true);
    EXPECT_EQ(people->FieldByName("FirstName")->DisplayWidth(), Screen->Width());
    delete ini;
    std::remove(iniPath.c_str());
}
