// Unit DBUtils. Searching keeps the user's position when nothing matches; the SQL builders put
// user text into SQL only through the data layer's quoting, and numbers only when they are numbers.
#include "components/grids/DBUtils.h"

#include "components/storage/Apputils.h"
#include "components/common/DateUtil.h"
#include "components/common/Vtstrutils.h"
#include "db/SqlText.h"
#include "rtl/Format.h"
#include "rtl/LocaleCollation.h"
#include "rtl/ResStrings.h"
#include "ui/dialogs/Dialogs.h"
#include "ui/forms/Forms.h"

#include <algorithm>
#include <cmath>

TCreateLocateObject CreateLocateObject;
String ServerDateFmt = "mm\"/\"dd\"/\"yyyy";

namespace vt {

int StartDBUtils()
{
    static const int started = [] {
        RegisterResString(SFieldTypeMismatch, "Type mismatch for field '%s', expecting: %s actual: %s");
        RegisterResString(SFieldRequired, "Field '%s' must have a value");
        RegisterResString(SNotEditing, "Dataset not in edit or insert mode");
        RegisterResString(SConfirmSave, "The data were changed. Save them?");
        return 1;
    }();
    return started;
}

}  // namespace vt

namespace {

const char* const DeleteRecordQuestion = "Delete record?";

bool IsStringType(TFieldType Type) { return Type == ftString || Type == ftWideString || Type == ftMemo; }
bool IsDateType(TFieldType Type) { return Type == ftDate || Type == ftTime || Type == ftDateTime; }

// Going back to a bookmark after a search that found nothing; a vanished record stays gone.
void RestorePosition(TDataSet* DataSet, const TBookmark& Bookmark)
{
    if (!DataSet->Active() || Bookmark.empty() || DataSet->IsEmpty() || !DataSet->BookmarkValid(Bookmark))
        return;
    try {
        DataSet->GotoBookmark(Bookmark);
    } catch (const EDatabaseError&) {
        // The record could not be reached again: the cursor stays where the search left it.
    }
}

String Head(const String& Text, size_t Length) { return Text.substr(0, Length); }

bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

// The first characters of Text, as many as Sample has (UTF-8: a character may take several bytes).
String HeadAsLongAs(const String& Text, const String& Sample)
{
    const auto wanted = std::count_if(Sample.begin(), Sample.end(), StartsCharacter);
    std::ptrdiff_t taken = 0;
    size_t end = 0;
    for (; end < Text.size(); ++end)
        if (StartsCharacter(Text[end]) && taken++ == wanted) break;
    return Text.substr(0, end);
}

}  // namespace

// ---- TLocateObject --------------------------------------------------------------------------

void TLocateObject::SetDataSet(TDataSet* Value)
{
    FDataSet = Value;
    ActiveChanged();
}

bool TLocateObject::MatchesLookup(TField* Field) const
{
    String text = Field->AsString();
    if (!FLookupExact) text = Head(text, FLookupValue.size());
    return FCaseSensitive ? text == FLookupValue : SameText(text, FLookupValue);
}

bool TLocateObject::FilterApplicable() const
{
    return FLookupField->FieldKind() == fkData || FLookupField->FieldKind() == fkInternalCalc;
}

bool TLocateObject::LocateFull()
{
    FDataSet->First();
    for (; !FDataSet->Eof(); FDataSet->Next())
        if (MatchesLookup(FLookupField)) return true;
    return false;
}

bool TLocateObject::LocateFilter()
{
    Screen->SetCursor(crHourGlass);
    try {
        TLocateOptions options;
        if (!FCaseSensitive) options << loCaseInsensitive;
        if (!FLookupExact) options << loPartialKey;
        const Variant value = FLookupValue.empty() ? Variant::Null() : Variant(FLookupValue);
        const bool found = FDataSet->Locate(FLookupField->FieldName(), value, options);
        Screen->SetCursor(crDefault);
        return found;
    } catch (...) {
        Screen->SetCursor(crDefault);
        throw;
    }
}

bool TLocateObject::Locate(const String& KeyField, const String& KeyValue, bool Exact, bool CaseSensitive)
{
    if (!FDataSet) return false;
    FDataSet->CheckBrowseMode();
    FLookupField = FDataSet->FieldByName(KeyField);
    FLookupValue = KeyValue;
    FLookupExact = Exact;
    FCaseSensitive = CaseSensitive;
    if (FLookupField->DataType() != ftString && FLookupField->DataType() != ftWideString) {
        FCaseSensitive = true;
        CheckFieldType(FLookupField);
    }
    FBookmark = FDataSet->GetBookmark();
    vt::DisabledControls disabled(FDataSet);
    if (MatchesLookup(FLookupField)) return true;
    const bool found = UseKey() ? LocateKey() : FilterApplicable() ? LocateFilter() : LocateFull();
    if (!found) RestorePosition(FDataSet, FBookmark);
    return found;
}

TLocateObject* CreateLocate(TDataSet* DataSet)
{
    TLocateObject* locate = CreateLocateObject ? CreateLocateObject() : new TLocateObject;
    if (locate && DataSet) locate->SetDataSet(DataSet);
    return locate;
}

// ---- searching ------------------------------------------------------------------------------

namespace {

bool FieldMatches(TField* Field, const Variant& Value, TLocateOptions Options)
{
    if (Field->DataType() == ftString || Field->DataType() == ftWideString) {
        const String wanted = Value.IsNull() ? String() : Value.AsString();
        String text = Field->AsString();
        if (Options.Contains(loPartialKey)) text = Head(text, wanted.size());
        return Options.Contains(loCaseInsensitive) ? SameText(text, wanted) : text == wanted;
    }
    return Field->Value() == Value;
}

bool RecordMatches(const std::vector<TField*>& Fields, const Variant& KeyValues, TLocateOptions Options)
{
    if (Fields.size() == 1) return FieldMatches(Fields[0], KeyValues.IsArray() ? KeyValues[0] : KeyValues, Options);
    for (size_t i = 0; i < Fields.size(); ++i)
        if (!FieldMatches(Fields[i], KeyValues[static_cast<int>(i)], Options)) return false;
    return true;
}

}  // namespace

bool DataSetLocateThrough(TDataSet* DataSet, const String& KeyFields, const Variant& KeyValues,
                          TLocateOptions Options)
{
    DataSet->CheckBrowseMode();
    if (DataSet->IsEmpty()) return false;
    std::vector<TField*> fields;
    for (const String& name : vt::SplitFieldNames(KeyFields)) fields.push_back(DataSet->FieldByName(name));
    if (RecordMatches(fields, KeyValues, Options)) return true;
    vt::DisabledControls disabled(DataSet);
    const TBookmark bookmark = DataSet->GetBookmark();
    for (DataSet->First(); !DataSet->Eof(); DataSet->Next())
        if (RecordMatches(fields, KeyValues, Options)) return true;
    RestorePosition(DataSet, bookmark);
    return false;
}

bool DataSetSortedSearch(TDataSet* DataSet, const String& Value, const String& FieldName, bool CaseInsensitive)
{
    if (!DataSet) return false;
    TField* field = DataSet->FindField(FieldName);
    if (!field) return false;
    if (field->DataType() != ftString && field->DataType() != ftWideString)
        _DBError(Format(ResStr(SFieldTypeMismatch), {field->DisplayName(), String("String"), String("other")}));
    // The data layer sorts text in the user's language, accents and case after the letters:
    // the halving goes by the letters of the heads, then the rows that share them are walked
    // for one that matches with its accents (and case, unless CaseInsensitive).
    auto head = [&] { return HeadAsLongAs(field->AsString(), Value); };
    vt::DisabledControls disabled(DataSet);
    const TBookmark bookmark = DataSet->GetBookmark();
    int low = 0, high = DataSet->RecordCount() - 1, position = 0;
    DataSet->First();
    if (Value.empty()) return true;
    bool found = false;
    while (low <= high) {
        const int middle = (low + high) / 2;
        DataSet->MoveBy(middle - position);
        position = middle;
        const int order = LocaleCompareLetters(head(), Value);
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle - 1;
            if (order == 0) found = true;
        }
    }
    if (found) {
        DataSet->MoveBy(low - position);
        for (position = low; position < DataSet->RecordCount() && LocaleCompareLetters(head(), Value) == 0; ++position) {
            if (LocaleCompare(head(), Value, CaseInsensitive) == 0) return true;
            DataSet->Next();
        }
    }
    RestorePosition(DataSet, bookmark);
    return false;
}

// ---- field layouts --------------------------------------------------------------------------

String DataSetSectionName(TDataSet* DataSet)
{
    if (auto* form = dynamic_cast<TCustomForm*>(DataSet->Owner())) return GetDefaultSection(form);
    return DataSet->Name();
}

namespace {

String LayoutSection(TDataSet* DataSet, const String& Section)
{
    return Section.empty() ? DataSetSectionName(DataSet) : Section;
}

}  // namespace

void InternalSaveFields(TDataSet* DataSet, TObject* IniFile, const String& Section)
{
    const String section = LayoutSection(DataSet, Section);
    for (int i = 0; i < DataSet->FieldCount(); ++i) {
        TField* field = DataSet->Fields()->Fields(i);
        IniWriteString(IniFile, section, DataSet->Name() + field->FieldName(),
                       Format("%d,%d,%d", {field->Index(), field->DisplayWidth(), field->Visible() ? 1 : 0}));
    }
}

void InternalRestoreFields(TDataSet* DataSet, TObject* IniFile, const String& Section, bool RestoreVisible)
{
    const String section = LayoutSection(DataSet, Section);
    std::vector<vt::WantedPlace<TField>> wanted;
    for (int i = 0; i < DataSet->FieldCount(); ++i) {
        TField* field = DataSet->Fields()->Fields(i);
        const String value = IniReadString(IniFile, section, DataSet->Name() + field->FieldName(), "");
        int index = field->Index();
        if (!value.empty()) {
            index = vt::LayoutWord(value, 1, index);
            field->SetDisplayWidth(vt::LayoutWidth(value, field->DisplayWidth()));
            if (RestoreVisible) field->SetVisible(vt::LayoutWord(value, 3, field->Visible() ? 1 : 0) != 0);
        }
        wanted.push_back({field, index});
    }
    vt::MoveToWantedPlaces(wanted, static_cast<int>(wanted.size()));
}

void SaveFields(TDataSet* DataSet, TIniFile* IniFile) { InternalSaveFields(DataSet, IniFile, DataSetSectionName(DataSet)); }

void RestoreFields(TDataSet* DataSet, TIniFile* IniFile, bool RestoreVisible)
{
    InternalRestoreFields(DataSet, IniFile, DataSetSectionName(DataSet), RestoreVisible);
}

void SaveFieldsReg(TDataSet* DataSet, TRegIniFile* IniFile)
{
    InternalSaveFields(DataSet, IniFile, DataSetSectionName(DataSet));
}

void RestoreFieldsReg(TDataSet* DataSet, TRegIniFile* IniFile, bool RestoreVisible)
{
    InternalRestoreFields(DataSet, IniFile, DataSetSectionName(DataSet), RestoreVisible);
}

int vt::LayoutWord(const String& Value, int N, int Default)
{
    return StrToIntDef(ExtractWord(N, Value, TCharSet{' ', ','}), Default);
}

int vt::LayoutWidth(const String& Value, int Default)
{
    int width = 0;
    if (!TryStrToInt(ExtractWord(2, Value, TCharSet{' ', ','}), width)) return Default;
    return std::clamp(width, 0, Screen->Width());
}

// ---- data-set helpers -----------------------------------------------------------------------

bool IsDataSetEmpty(TDataSet* DataSet)
{
    return !DataSet->Active() || (DataSet->Bof() && DataSet->Eof());
}

void RefreshQuery(TDataSet* DataSet)
{
    vt::DisabledControls disabled(DataSet);
    const TBookmark bookmark = DataSet->Active() ? DataSet->GetBookmark() : TBookmark();
    DataSet->Close();
    DataSet->Open();
    RestorePosition(DataSet, bookmark);
}

bool ConfirmDelete()
{
    Screen->SetCursor(crDefault);
    return MessageDlg(DeleteRecordQuestion, mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) == mrYes;
}

void ConfirmDataSetCancel(TDataSet* DataSet)
{
    if (DataSet->State() != dsEdit && DataSet->State() != dsInsert) return;
    DataSet->UpdateRecord();
    if (!DataSet->Modified()) {
        DataSet->Cancel();
        return;
    }
    switch (MessageDlg(ResStr(SConfirmSave), mtConfirmation, mbYesNoCancel, 0)) {
    case mrYes: DataSet->Post(); break;
    case mrNo: DataSet->Cancel(); break;
    default: Abort();
    }
}

void CheckRequiredField(TField* Field)
{
    if (Field->ReadOnly() || Field->Calculated() || !Field->IsNull()) return;
    Field->FocusControl();
    _DBError(Format(ResStr(SFieldRequired), {Field->DisplayName()}));
}

void CheckRequiredFields(const std::vector<TField*>& Fields)
{
    for (TField* field : Fields) CheckRequiredField(field);
}

void AssignRecord(TDataSet* Source, TDataSet* Dest, bool ByName)
{
    const TDataSetState state = Dest->State();
    if (state != dsEdit && state != dsInsert && state != dsSetKey) _DBError(ResStr(SNotEditing));
    if (ByName) {
        for (int i = 0; i < Source->FieldCount(); ++i) {
            TField* from = Source->Fields()->Fields(i);
            if (TField* to = Dest->FindField(from->FieldName())) to->SetValue(from->Value());
        }
        return;
    }
    const int count = std::min(Dest->FieldCount(), Source->FieldCount());
    for (int i = 0; i < count; ++i) Dest->Fields()->Fields(i)->SetValue(Source->Fields()->Fields(i)->Value());
}

void _DBError(const String& Msg) { throw EDatabaseError(Msg); }

// ---- SQL condition texts --------------------------------------------------------------------

namespace {

const String NoCondition = "0=0";

// A date given to a builder: 0 is no date.
bool DateGiven(TDateTime Date) { return Date != NullDate; }

// The date as a quoted text; the data layer reads a quoted m/d/yyyy compared with a column as the
// date number.
String SQLDate(TDateTime Date) { return vt::SqlQuote(FormatDateTime(ServerDateFmt, Date)); }

// A number as the class library's %g writes it; only a finite value is a number.
String SQLFloat(double Value)
{
    if (!std::isfinite(Value)) _DBError("A number in a condition must be finite");
    return Format("%g", {Value});
}

// The user's text of a non-text, non-date field: a number, or a Boolean word.
String SQLNumberValue(const String& Value, TFieldType FieldType)
{
    if (FieldType == ftBoolean) {
        if (SameText(Trim(Value), "true")) return "-1";
        if (SameText(Trim(Value), "false")) return "0";
    }
    return vt::SqlNumber(Value);
}

bool IsLoose(TFieldType FieldType, bool Exact) { return !Exact && (IsStringType(FieldType) || IsDateType(FieldType)); }

// The "/" escape of LIKE: the user's own "/", "_" and "%" stand for themselves.
String EscapeLike(const String& Value)
{
    String escaped;
    for (char c : Value) {
        if (c == '/' || c == '_' || c == '%') escaped += '/';
        escaped += c;
    }
    return escaped;
}

}  // namespace

String DateToSQL(TDateTime Date) { return IntToStr(static_cast<std::int64_t>(std::trunc(Date))); }

String FormatSQLDateRange(TDateTime Date1, TDateTime Date2, const String& FieldName)
{
    const bool has1 = DateGiven(Date1), has2 = DateGiven(Date2);
    if (has1 && has2 && Date1 == Date2) return Format("%s = %s", {FieldName, SQLDate(Date1)});
    if (has1 && has2)
        return Format("(%s < %s) AND (%s > %s)", {FieldName, SQLDate(Date2 + 1), FieldName, SQLDate(Date1 - 1)});
    if (has2) return Format("%s < %s", {FieldName, SQLDate(Date2 + 1)});
    if (has1) return Format("%s > %s", {FieldName, SQLDate(Date1 - 1)});
    return NoCondition;
}

String FormatSQLDateRangeEx(TDateTime Date1, TDateTime Date2, const String& FieldName)
{
    const bool has1 = DateGiven(Date1), has2 = DateGiven(Date2);
    if (has1 && has2)
        return Format("(%s < %s) AND (%s >= %s)", {FieldName, SQLDate(Date2 + 1), FieldName, SQLDate(Date1)});
    if (has2) return Format("%s < %s", {FieldName, SQLDate(Date2 + 1)});
    if (has1) return Format("%s >= %s", {FieldName, SQLDate(Date1)});
    return NoCondition;
}

String FormatSQLNumericRange(const String& FieldName, double LowValue, double HighValue, double LowEmpty,
                             double HighEmpty, bool Inclusive)
{
    const String upper = Inclusive ? "<=" : "<", lower = Inclusive ? ">=" : ">";
    const bool hasLow = LowValue != LowEmpty, hasHigh = HighValue != HighEmpty;
    if (hasLow && LowValue == HighValue) return Format("%s = %s", {FieldName, SQLFloat(LowValue)});
    if (!hasLow && hasHigh) return Format("%s %s %s", {FieldName, upper, SQLFloat(HighValue)});
    if (hasLow && !hasHigh) return Format("%s %s %s", {FieldName, lower, SQLFloat(LowValue)});
    if (hasLow && hasHigh)
        return Format("(%s %s %s) AND (%s %s %s)",
                      {FieldName, upper, SQLFloat(HighValue), FieldName, lower, SQLFloat(LowValue)});
    return NoCondition;
}

String StrMaskSQL(const String& Value)
{
    if (!Value.empty() && Value.find_first_of("*?") == String::npos) return "*" + Value + "*";
    return Value;
}

String FormatSQLCondition(const String& FieldName, const String& Operator, const String& Value,
                          TFieldType FieldType, bool Exact)
{
    const bool loose = IsLoose(FieldType, Exact);
    String op = Operator;
    if (op.empty()) op = !loose ? "=" : IsStringType(FieldType) ? "LIKE" : ">=";
    if (IsDateType(FieldType)) {
        const TDateTime date = StrToDateDef(Value, NullDate);
        if (!DateGiven(date)) return NoCondition;
        if (!loose && FieldType == ftDateTime)
            return Format("(%s >= %s) and (%s < %s)", {FieldName, SQLDate(date), FieldName, SQLDate(date + 1)});
        return Format("%s %s %s", {FieldName, op, SQLDate(date)});
    }
    if (Value.empty()) return NoCondition;
    if (!IsStringType(FieldType)) return Format("%s %s %s", {FieldName, op, SQLNumberValue(Value, FieldType)});
    String text = Value;
    if (loose) text = StringReplace(StringReplace(StrMaskSQL(text), "*", "%", {rfReplaceAll}), "?", "_", {rfReplaceAll});
    return Format("%s %s %s", {FieldName, op, vt::SqlQuote(text)});
}

String FormatAnsiSQLCondition(const String& FieldName, const String& Operator, const String& Value,
                              TFieldType FieldType, bool Exact)
{
    const bool escape = IsLoose(FieldType, Exact) && IsStringType(FieldType);
    const String value = escape ? EscapeLike(Value) : Value;
    const String condition = FormatSQLCondition(FieldName, Operator, value, FieldType, Exact);
    return value != Value ? condition + " ESCAPE'/'" : condition;
}
