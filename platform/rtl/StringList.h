// TStrings, the class library's list of strings with an object per line (the interface that
// list boxes, memos and queries share), and TStringList, its stand-alone form with sorting.
#pragma once

#include <vector>

#include "rtl/Classes.h"

class TStrings : public TPersistent {
public:
    virtual int Count() const = 0;
    virtual String Strings(int index) const = 0;
    virtual void SetStrings(int index, const String& s);
    String operator[](int index) const { return Strings(index); }
    virtual TObject* Objects(int index) const;
    virtual void SetObjects(int index, TObject* object);

    virtual int Add(const String& s);
    int AddObject(const String& s, TObject* object);
    virtual void Insert(int index, const String& s) = 0;
    void InsertObject(int index, const String& s, TObject* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    virtual void Exchange(int index1, int index2);
    virtual void Move(int curIndex, int newIndex);
    void AddStrings(const TStrings* strings);
    void Assign(TPersistent* Source) override;

    virtual int IndexOf(const String& s) const;
    int IndexOfObject(const TObject* object) const;
    // "name=value" lines: the name is matched without regard to letter case.
    int IndexOfName(const String& name) const;
    String Names(int index) const;
    String Values(const String& name) const;
    // An empty value deletes the line; a new name appends one.
    void SetValues(const String& name, const String& value);
    String ValueFromIndex(int index) const;

    // Lines joined, each followed by a line break; SetText splits at CR LF, LF or CR.
    String Text() const;
    virtual void SetText(const String& text);
    // Items separated by commas; an item with blanks, commas or quotes is double-quoted.
    String CommaText() const;
    void SetCommaText(const String& text);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

protected:
    // Called when BeginUpdate starts and EndUpdate ends a batch of changes.
    virtual void SetUpdateState(bool updating);
    // Letter case ignored; TStringList heeds its CaseSensitive.
    virtual int CompareStrings(const String& a, const String& b) const;

private:
    int FUpdateCount = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
public:
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    int Count() const override { return static_cast<int>(FItems.size()); }
    String Strings(int index) const override;
    void SetStrings(int index, const String& s) override;
    TObject* Objects(int index) const override;
    void SetObjects(int index, TObject* object) override;

    int Add(const String& s) override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;
    void Exchange(int index1, int index2) override;
    int IndexOf(const String& s) const override;

    bool Sorted() const { return FSorted; }
    void SetSorted(bool sorted);
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates duplicates) { FDuplicates = duplicates; }
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool caseSensitive);

    // In a sorted list: true when s is present, index = its position or where it would go.
    bool Find(const String& s, int& index) const;
    virtual void Sort();

protected:
    void SetUpdateState(bool updating) override;
    virtual void Changing();
    virtual void Changed();
    int CompareStrings(const String& a, const String& b) const override;

private:
    struct Item {
        String Text;
        TObject* Object = nullptr;
    };
    void CheckIndex(int index, int limit) const;
    void CheckUnsorted() const;
    void SortItems();
    void InsertItem(int index, const String& s, TObject* object);

    std::vector<Item> FItems;
    bool FSorted = false;
    TDuplicates FDuplicates = dupIgnore;
    bool FCaseSensitive = false;
};
