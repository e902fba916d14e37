// Unit DBUtils: free routines over data sets: finding a record by a field value, a binary search
// over a sorted data set, the order, width and visibility of fields kept in an ini file or the
// registry, SQL condition texts built from user input, and the usual confirmations and checks.
#pragma once

#include "db/DataSet.h"
#include "rtl/Classes.h"

#include <functional>
#include <vector>

class TIniFile;
class TRegIniFile;

// Finds a record whose field matches a text; a descendant may use an index instead of the walk.
class TLocateObject : public TObject {
public:
    TLocateObject() = default;

    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* Value);
    // True when a record whose field matches is current; on failure the position is restored.
    bool Locate(const String& KeyField, const String& KeyValue, bool Exact, bool CaseSensitive);

protected:
    virtual void CheckFieldType(TField* Field) {}
    virtual void ActiveChanged() {}
    virtual bool LocateFilter();
    virtual bool LocateKey() { return false; }
    virtual bool LocateFull();
    virtual bool UseKey() const { return false; }
    virtual bool FilterApplicable() const;
    bool MatchesLookup(TField* Field) const;

    TField* FLookupField = nullptr;
    String FLookupValue;
    bool FLookupExact = false;
    bool FCaseSensitive = false;

private:
    TDataSet* FDataSet = nullptr;
    TBookmark FBookmark;
};

using TCreateLocateObject = std::function<TLocateObject*()>;
// Replaceable factory of CreateLocate; a plain TLocateObject when empty.
extern TCreateLocateObject CreateLocateObject;
// The date format of SQL texts; the date is put into SQL as a quoted text.
extern String ServerDateFmt;

TLocateObject* CreateLocate(TDataSet* DataSet);
bool DataSetLocateThrough(TDataSet* DataSet, const String& KeyFields, const Variant& KeyValues,
                          TLocateOptions Options);
// The data set is sorted by the field in the user's language, as the data layer sorts text.
bool DataSetSortedSearch(TDataSet* DataSet, const String& Value, const String& FieldName,
                         bool CaseInsensitive);

// Field layouts (index, display width, visibility) in a TIniFile or TRegIniFile; an empty
// section is the data set's own (DataSetSectionName).
String DataSetSectionName(TDataSet* DataSet);
void InternalSaveFields(TDataSet* DataSet, TObject* IniFile, const String& Section);
void InternalRestoreFields(TDataSet* DataSet, TObject* IniFile, const String& Section, bool RestoreVisible);
void SaveFields(TDataSet* DataSet, TIniFile* IniFile);
void RestoreFields(TDataSet* DataSet, TIniFile* IniFile, bool RestoreVisible);
void SaveFieldsReg(TDataSet* DataSet, TRegIniFile* IniFile);
void RestoreFieldsReg(TDataSet* DataSet, TRegIniFile* IniFile, bool RestoreVisible);

bool IsDataSetEmpty(TDataSet* DataSet);
void RefreshQuery(TDataSet* DataSet);
bool ConfirmDelete();
void ConfirmDataSetCancel(TDataSet* DataSet);
void CheckRequiredField(TField* Field);
void CheckRequiredFields(const std::vector<TField*>& Fields);
void AssignRecord(TDataSet* Source, TDataSet* Dest, bool ByName);
[[noreturn]] void _DBError(const String& Msg);

// SQL condition texts. FieldName and Operator are the caller's; every value from the user goes
// through the data layer's quoting, and a number must be a number. "0=0" when nothing is tested.
String DateToSQL(TDateTime Date);
String FormatSQLDateRange(TDateTime Date1, TDateTime Date2, const String& FieldName);
String FormatSQLDateRangeEx(TDateTime Date1, TDateTime Date2, const String& FieldName);
String FormatSQLNumericRange(const String& FieldName, double LowValue, double HighValue, double LowEmpty,
                             double HighEmpty, bool Inclusive);
String StrMaskSQL(const String& Value);
String FormatSQLCondition(const String& FieldName, const String& Operator, const String& Value,
                          TFieldType FieldType, bool Exact);
String FormatAnsiSQLCondition(const String& FieldName, const String& Operator, const String& Value,
                              TFieldType FieldType, bool Exact);

constexpr int SFieldTypeMismatch = 65307;   // "Type mismatch for field '%s', expecting: %s actual: %s"
constexpr int SFieldRequired = 65311;       // "Field '%s' must have a value"
constexpr int SNotEditing = 65290;          // "Dataset not in edit or insert mode"
constexpr int SConfirmSave = 61174;         // "The data were changed. Save them?"

namespace vt {
// Word N (from 1) of a stored layout value, words split at blanks and commas, as a number; the
// default when it is missing or no number.
int LayoutWord(const String& Value, int N, int Default);

// Word 2 of a stored layout value as a width, kept between 0 and the screen's width so that a
// damaged file cannot make a column negative or too wide to lay out; the default when it is
// missing or no number.
int LayoutWidth(const String& Value, int Default);

// An item of a stored layout and the place it asked for.
template <class T>
struct WantedPlace {
    T* Item;
    int Index;
};

// For each place from 0 upward, the first item that asked for it is moved there.
template <class T>
void MoveToWantedPlaces(const std::vector<WantedPlace<T>>& Wanted, int Count)
{
    for (int place = 0; place < Count; ++place)
        for (const WantedPlace<T>& wanted : Wanted)
            if (wanted.Index == place) {
                wanted.Item->SetIndex(place);
                break;
            }
}

int StartDBUtils();
inline const int kDBUtilsStarted = StartDBUtils();
}  // namespace vt
