// TStrings behaviour built on the few operations a descendant supplies, and TStringList's
// own storage with sorted insertion, duplicate rules and change events.
#include "rtl/StringList.h"
#include "rtl/TypInfo.h"

#include <algorithm>

#include "rtl/Exceptions.h"

namespace {

constexpr char LineBreak = '\n';

// Whether a comma-text item must be quoted: it holds a blank, control character, comma or quote.
bool NeedsQuotes(const String& item)
{
    return std::any_of(item.begin(), item.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"';
    });
}

bool IsCommaTextBlank(char c)
{
    return c != 0 && static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

// ---- TStrings ----

void TStrings::SetStrings(int index, const String& s)
{
    TObject* object = Objects(index);
    BeginUpdate();
    Delete(index);
    InsertObject(index, s, object);
    EndUpdate();
}

TObject* TStrings::Objects(int) const
{
    return nullptr;
}

void TStrings::SetObjects(int, TObject*) {}

int TStrings::Add(const String& s)
{
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const String& s, TObject* object)
{
    int index = Add(s);
    SetObjects(index, object);
    return index;
}

void TStrings::InsertObject(int index, const String& s, TObject* object)
{
    Insert(index, s);
    SetObjects(index, object);
}

void TStrings::Exchange(int index1, int index2)
{
    BeginUpdate();
    String s1 = Strings(index1);
    TObject* o1 = Objects(index1);
    SetStrings(index1, Strings(index2));
    SetObjects(index1, Objects(index2));
    SetStrings(index2, s1);
    SetObjects(index2, o1);
    EndUpdate();
}

void TStrings::Move(int curIndex, int newIndex)
{
    if (curIndex == newIndex)
        return;
    BeginUpdate();
    String s = Strings(curIndex);
    TObject* object = Objects(curIndex);
    Delete(curIndex);
    InsertObject(newIndex, s, object);
    EndUpdate();
}

void TStrings::AddStrings(const TStrings* strings)
{
    BeginUpdate();
    for (int i = 0; i < strings->Count(); ++i)
        AddObject(strings->Strings(i), strings->Objects(i));
    EndUpdate();
}

void TStrings::Assign(TPersistent* Source)
{
    auto* strings = dynamic_cast<TStrings*>(Source);
    if (strings == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    Clear();
    AddStrings(strings);
    EndUpdate();
}

int TStrings::CompareStrings(const String& a, const String& b) const
{
    return AnsiCompareText(a, b);
}

int TStrings::IndexOf(const String& s) const
{
    for (int i = 0; i < Count(); ++i)
        if (CompareStrings(Strings(i), s) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (Objects(i) == object)
            return i;
    return -1;
}

int TStrings::IndexOfName(const String& name) const
{
    for (int i = 0; i < Count(); ++i) {
        String line = Strings(i);
        std::size_t eq = line.find('=');
        if (eq != String::npos && CompareStrings(line.substr(0, eq), name) == 0)
            return i;
    }
    return -1;
}

String TStrings::Names(int index) const
{
    String line = Strings(index);
    std::size_t eq = line.find('=');
    return eq == String::npos ? String() : line.substr(0, eq);
}

String TStrings::ValueFromIndex(int index) const
{
    String line = Strings(index);
    std::size_t eq = line.find('=');
    return eq == String::npos ? String() : line.substr(eq + 1);
}

String TStrings::Values(const String& name) const
{
    int index = IndexOfName(name);
    return index < 0 ? String() : ValueFromIndex(index);
}

void TStrings::SetValues(const String& name, const String& value)
{
    int index = IndexOfName(name);
    if (value.empty()) {
        if (index >= 0)
            Delete(index);
    } else if (index < 0) {
        Add(name + "=" + value);
    } else {
        SetStrings(index, name + "=" + value);
    }
}

String TStrings::Text() const
{
    String result;
    for (int i = 0; i < Count(); ++i)
        result.append(Strings(i)).append(1, LineBreak);
    return result;
}

void TStrings::SetText(const String& text)
{
    BeginUpdate();
    Clear();
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == String::npos) {
            Add(text.substr(start));
            break;
        }
        Add(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    EndUpdate();
}

String TStrings::CommaText() const
{
    if (Count() == 1 && Strings(0).empty())
        return "\"\"";
    String result;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0)
            result += ',';
        String item = Strings(i);
        result += NeedsQuotes(item) ? AnsiQuotedStr(item, '"') : item;
    }
    return result;
}

void TStrings::SetCommaText(const String& text)
{
    BeginUpdate();
    Clear();
    std::size_t i = 0;
    auto skipBlanks = [&] {
        while (i < text.size() && IsCommaTextBlank(text[i]))
            ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        String item;
        if (text[i] == '"') {
            for (++i; i < text.size(); ++i) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"')
                        ++i;
                    else
                        break;
                }
                item += text[i];
            }
            if (i < text.size())
                ++i;
        } else {
            while (i < text.size() && text[i] != ',' && !IsCommaTextBlank(text[i]))
                item += text[i++];
        }
        Add(item);
        skipBlanks();
        if (i < text.size() && text[i] == ',') {
            // A trailing comma stands for one more, empty item.
            if (i + 1 == text.size())
                Add(String());
            ++i;
            skipBlanks();
        }
    }
    EndUpdate();
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount == 0)
        SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate()
{
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

// ---- TStringList ----

void TStringList::CheckIndex(int index, int limit) const
{
    if (index < 0 || index > limit)
        throw EStringListError("List index out of bounds (" + IntToStr(index) + ")");
}

void TStringList::CheckUnsorted() const
{
    if (FSorted)
        throw EStringListError("Operation not allowed on sorted list");
}

String TStringList::Strings(int index) const
{
    CheckIndex(index, Count() - 1);
    return FItems[static_cast<std::size_t>(index)].Text;
}

void TStringList::SetStrings(int index, const String& s)
{
    CheckUnsorted();
    CheckIndex(index, Count() - 1);
    Changing();
    FItems[static_cast<std::size_t>(index)].Text = s;
    Changed();
}

TObject* TStringList::Objects(int index) const
{
    CheckIndex(index, Count() - 1);
    return FItems[static_cast<std::size_t>(index)].Object;
}

void TStringList::SetObjects(int index, TObject* object)
{
    CheckIndex(index, Count() - 1);
    Changing();
    FItems[static_cast<std::size_t>(index)].Object = object;
    Changed();
}

int TStringList::Add(const String& s)
{
    if (!FSorted) {
        InsertItem(Count(), s, nullptr);
        return Count() - 1;
    }
    int index;
    if (Find(s, index)) {
        if (FDuplicates == dupIgnore)
            return index;
        if (FDuplicates == dupError)
            throw EStringListError("String list does not allow duplicates");
    }
    InsertItem(index, s, nullptr);
    return index;
}

void TStringList::Insert(int index, const String& s)
{
    CheckUnsorted();
    CheckIndex(index, Count());
    InsertItem(index, s, nullptr);
}

void TStringList::InsertItem(int index, const String& s, TObject* object)
{
    Changing();
    FItems.insert(FItems.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Delete(int index)
{
    CheckIndex(index, Count() - 1);
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed();
}

void TStringList::Exchange(int index1, int index2)
{
    CheckIndex(index1, Count() - 1);
    CheckIndex(index2, Count() - 1);
    Changing();
    std::swap(FItems[static_cast<std::size_t>(index1)], FItems[static_cast<std::size_t>(index2)]);
    Changed();
}

int TStringList::IndexOf(const String& s) const
{
    if (!FSorted)
        return TStrings::IndexOf(s);
    int index;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const String& s, int& index) const
{
    bool found = false;
    int low = 0;
    int high = Count() - 1;
    while (low <= high) {
        int mid = (low + high) / 2;
        int c = CompareStrings(FItems[static_cast<std::size_t>(mid)].Text, s);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                // Without accepted duplicates the first equal item is the answer.
                if (FDuplicates != dupAccept)
                    low = mid;
            }
        }
    }
    index = low;
    return found;
}

void TStringList::SortItems()
{
    if (Count() < 2)
        return;
    Changing();
    std::stable_sort(FItems.begin(), FItems.end(), [this](const Item& a, const Item& b) {
        return CompareStrings(a.Text, b.Text) < 0;
    });
    Changed();
}

void TStringList::Sort()
{
    if (!FSorted)
        SortItems();
}

void TStringList::SetSorted(bool sorted)
{
    if (sorted == FSorted)
        return;
    if (sorted)
        SortItems();
    FSorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive)
{
    if (caseSensitive == FCaseSensitive)
        return;
    FCaseSensitive = caseSensitive;
    if (FSorted)
        SortItems();
}

int TStringList::CompareStrings(const String& a, const String& b) const
{
    return FCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::SetUpdateState(bool updating)
{
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}

// ---- Published properties ----

namespace {
const vt::ClassRegistration<TStrings, TPersistent> kStrings{"TStrings", {}};
const vt::ClassRegistration<TStringList, TStrings> kStringList{"TStringList", {}};
}  // namespace
