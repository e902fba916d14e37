// Components a form carries to come back as the user left it: TFormPlacement keeps the window
// placement, TFormStorage also chosen published properties and named values, in an ini file or
// under a registry key; TIniLink lets other components store their layout in the same place.
#pragma once

#include "rtl/Collection.h"
#include "rtl/Registry.h"
#include "rtl/Variant.h"
#include "ui/forms/Forms.h"

#include <functional>
#include <vector>

class TFormPlacement;
class TVtWindowHook;
class TStrings;

enum TPlacementOption { fpState, fpPosition, fpActiveControl };
using TPlacementOptions = Set<TPlacementOption>;
enum TPlacementOperation { poSave, poRestore };
enum TPlacementRegRoot { prCurrentUser, prLocalMachine, prCurrentConfig, prClassesRoot, prUsers, prDynData };

// Size limits of the form; "default" while all eight are 0.
class TWinMinMaxInfo : public TPersistent {
public:
    explicit TWinMinMaxInfo(TFormPlacement* OwnerPlacement) : FOwner(OwnerPlacement) {}
    void Assign(TPersistent* Source) override;
    bool DefaultMinMaxInfo() const;

    int MaxPosLeft() const { return FValues[0]; }
    void SetMaxPosLeft(int v) { SetValue(0, v); }
    int MaxPosTop() const { return FValues[1]; }
    void SetMaxPosTop(int v) { SetValue(1, v); }
    int MaxSizeHeight() const { return FValues[2]; }
    void SetMaxSizeHeight(int v) { SetValue(2, v); }
    int MaxSizeWidth() const { return FValues[3]; }
    void SetMaxSizeWidth(int v) { SetValue(3, v); }
    int MaxTrackHeight() const { return FValues[4]; }
    void SetMaxTrackHeight(int v) { SetValue(4, v); }
    int MaxTrackWidth() const { return FValues[5]; }
    void SetMaxTrackWidth(int v) { SetValue(5, v); }
    int MinTrackHeight() const { return FValues[6]; }
    void SetMinTrackHeight(int v) { SetValue(6, v); }
    int MinTrackWidth() const { return FValues[7]; }
    void SetMinTrackWidth(int v) { SetValue(7, v); }

private:
    void SetValue(int index, int value);
    TFormPlacement* FOwner;
    int FValues[8] = {};
};

// A component's way into the placement's storage while the placement saves or restores.
class TIniLink : public TPersistent {
public:
    TIniLink() = default;
    ~TIniLink() override;
    TFormPlacement* Storage() const { return FStorage; }
    void SetStorage(TFormPlacement* Value);
    // The placement's open storage object (TIniFile or TRegIniFile), or none.
    TObject* IniObject() const;
    // The placement's section followed by "\", empty without storage or section.
    String RootSection() const;

    TNotifyEvent OnSave;
    TNotifyEvent OnLoad;

    virtual void SaveToIni();
    virtual void LoadFromIni();

private:
    TFormPlacement* FStorage = nullptr;
};

class TStoredValue;
using TStoredValueEvent = std::function<void(TStoredValue* Sender, Variant& Value)>;

class TStoredValue : public TCollectionItem {
public:
    explicit TStoredValue(TCollection* Collection) : TCollectionItem(Collection) {}
    const String& Name() const { return FName; }
    // Refuses a name that another item of the collection has.
    void SetName(const String& Value);
    const Variant& Value() const { return FValue; }
    void SetValue(const Variant& Value) { FValue = Value; }
    const String& KeyString() const { return FKeyString; }
    void SetKeyString(const String& Value) { FKeyString = Value; }
    String DisplayName() const override;
    void Assign(TPersistent* Source) override;

    TStoredValueEvent OnSave;
    TStoredValueEvent OnRestore;

    virtual void Save();
    virtual void Restore();

private:
    TFormPlacement* Storage() const;
    String FName;
    Variant FValue;
    String FKeyString;
};

class TStoredValues : public TOwnedCollection {
public:
    explicit TStoredValues(TFormPlacement* AOwner);
    TFormPlacement* Storage() const { return FStorage; }
    TStoredValue* Items(int Index) const { return static_cast<TStoredValue*>(TCollection::Items(Index)); }
    int IndexOf(const String& Name) const;
    TStoredValue* StoredValue(const String& Name) const;
    // Unassigned (empty) for an unknown name.
    Variant GetStoredValue(const String& Name) const;
    void SetStoredValue(const String& Name, const Variant& Value);
    virtual void SaveValues();
    virtual void RestoreValues();

private:
    TFormPlacement* FStorage;
};

class TFormPlacement : public TComponent {
public:
    explicit TFormPlacement(TComponent* AOwner);
    ~TFormPlacement() override;

    bool Active() const { return FActive; }
    void SetActive(bool Value) { FActive = Value; }
    const String& IniFileName() const { return FIniFileName; }
    void SetIniFileName(const String& Value) { FIniFileName = Value; }
    const String& IniSection() const { return FIniSection; }
    void SetIniSection(const String& Value) { FIniSection = Value; }
    TWinMinMaxInfo* MinMaxInfo() const { return FMinMaxInfo; }
    void SetMinMaxInfo(TWinMinMaxInfo* Value) { FMinMaxInfo->Assign(Value); }
    TPlacementOptions Options() const { return FOptions; }
    void SetOptions(TPlacementOptions Value) { FOptions = Value; }
    bool PreventResize() const { return FPreventResize; }
    void SetPreventResize(bool Value);
    TPlacementRegRoot RegistryRoot() const { return FRegistryRoot; }
    void SetRegistryRoot(TPlacementRegRoot Value) { FRegistryRoot = Value; }
    bool UseRegistry() const { return FUseRegistry; }
    void SetUseRegistry(bool Value) { FUseRegistry = Value; }
    int Version() const { return FVersion; }
    void SetVersion(int Value) { FVersion = Value; }

    TNotifyEvent OnSavePlacement;
    TNotifyEvent OnRestorePlacement;

    String IniFileNameOrDefault() const;
    String IniSectionOrDefault() const;
    // The open storage object while an operation runs, else none.
    TObject* IniObject() const { return FIniObject; }

    void SaveFormPlacement();
    void RestoreFormPlacement();
    String ReadString(const String& Ident, const String& Default);
    void WriteString(const String& Ident, const String& Value);
    int ReadInteger(const String& Ident, int Default);
    void WriteInteger(const String& Ident, int Value);
    virtual String DoReadString(const String& Section, const String& Ident, const String& Default);
    virtual void DoWriteString(const String& Section, const String& Ident, const String& Value);
    // Erases the placement's section and the sections below it ("Section.*", "Section\*").
    void EraseSections();

    void Loaded() override;
    void MinMaxInfoChanged();

protected:
    virtual void SavePlacement();
    virtual void RestorePlacement();
    void Save();
    void Restore();
    TCustomForm* Form() const;
    // Opens the storage for the operation unless it is open already; closes what it opened.
    template <class Use>
    void WithStorage(bool ReadOnly, Use use);
    bool FRestored = false;

private:
    friend class TIniLink;
    void IniNeeded(bool ReadOnly);
    void IniFree();
    void AttachToForm();
    void RestoreEvents();
    void CheckToggleHook();
    void UpdatePlacement();
    void UpdatePreventResize();
    void NotifyLinks(TPlacementOperation Operation);
    void FormShow(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void FormDestroy(TObject* Sender);
    void WndMessage(TObject* Sender, TMessage& Msg, bool& Handled);

    bool FActive = true;
    String FIniFileName;
    String FIniSection;
    TWinMinMaxInfo* FMinMaxInfo;
    TPlacementOptions FOptions;
    bool FPreventResize = false;
    TPlacementRegRoot FRegistryRoot = prCurrentUser;
    bool FUseRegistry = false;
    int FVersion = 0;

    std::vector<TIniLink*> FLinks;
    TVtWindowHook* FWinHook;
    TObject* FIniObject = nullptr;
    TNotifyEvent FSaveFormShow;
    TCloseQueryEvent FSaveFormCloseQuery;
    TNotifyEvent FSaveFormDestroy;
    bool FAttached = false;
    bool FSaved = false;
    bool FSaving = false;
    String FRestoredSection;
    bool FDefMaximize = false;
};

class TFormStorage : public TFormPlacement {
public:
    explicit TFormStorage(TComponent* AOwner);
    ~TFormStorage() override;

    // Stored items, "Component.Property".
    TStrings* StoredProps() const { return FStoredProps; }
    void SetStoredProps(TStrings* Value);
    TStoredValues* StoredValues() const { return FStoredValues; }
    void SetStoredValues(TStoredValues* Value) { FStoredValues->Assign(Value); }
    void SetStoredValue(const String& Name, const Variant& Value) { FStoredValues->SetStoredValue(Name, Value); }
    Variant GetStoredValue(const String& Name) const { return FStoredValues->GetStoredValue(Name); }

    virtual void SaveProperties();
    virtual void RestoreProperties();
    void Loaded() override;

protected:
    void SavePlacement() override;
    void RestorePlacement() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    void SetNotification();
    template <class Use>
    void WithPropsStorage(Use use);
    TStrings* FStoredProps;
    TStoredValues* FStoredValues;
};

