// Form placement and form storage: the form's show, close-query and destroy events restore and
// save its placement, properties and values; a window hook answers the form's size limits.
#include "components/storage/Placemnt.h"

#include "components/storage/Apputils.h"
#include "components/system/VtHook.h"
#include "components/storage/VtProps.h"
#include "components/common/Vtstrutils.h"
#include "rtl/StringList.h"
#include "rtl/TypInfo.h"
#include "ui/kernel/WinApi.h"

#include <algorithm>
#include <memory>

namespace {
const char* const kFormVersion = "FormVersion";
const char* const kVisible = "Visible";
const char* const kActiveControl = "ActiveControl";

HKEY RootKeyOf(TPlacementRegRoot Root)
{
    switch (Root) {
    case prLocalMachine: return HKEY_LOCAL_MACHINE;
    case prCurrentConfig: return HKEY_CURRENT_CONFIG;
    case prClassesRoot: return HKEY_CLASSES_ROOT;
    case prUsers: return HKEY_USERS;
    case prDynData: return HKEY_DYN_DATA;
    default: return HKEY_CURRENT_USER;
    }
}
}  // namespace

// ---- TWinMinMaxInfo ----

void TWinMinMaxInfo::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TWinMinMaxInfo*>(Source);
    if (!source) {
        TPersistent::Assign(Source);
        return;
    }
    if (std::equal(std::begin(FValues), std::end(FValues), std::begin(source->FValues)))
        return;
    std::copy(std::begin(source->FValues), std::end(source->FValues), std::begin(FValues));
    if (FOwner)
        FOwner->MinMaxInfoChanged();
}

bool TWinMinMaxInfo::DefaultMinMaxInfo() const
{
    return std::all_of(std::begin(FValues), std::end(FValues), [](int v) { return v == 0; });
}

void TWinMinMaxInfo::SetValue(int index, int value)
{
    if (FValues[index] == value)
        return;
    FValues[index] = value;
    if (FOwner)
        FOwner->MinMaxInfoChanged();
}

// ---- TIniLink ----

TIniLink::~TIniLink() { SetStorage(nullptr); }

void TIniLink::SetStorage(TFormPlacement* Value)
{
    if (FStorage == Value)
        return;
    if (FStorage)
        FStorage->FLinks.erase(std::remove(FStorage->FLinks.begin(), FStorage->FLinks.end(), this),
                               FStorage->FLinks.end());
    FStorage = Value;
    if (FStorage)
        FStorage->FLinks.push_back(this);
}

TObject* TIniLink::IniObject() const { return FStorage ? FStorage->IniObject() : nullptr; }

String TIniLink::RootSection() const
{
    const String section = FStorage ? FStorage->IniSectionOrDefault() : String();
    return section.empty() ? String() : section + "\\";
}

void TIniLink::SaveToIni()
{
    if (OnSave)
        OnSave(this);
}

void TIniLink::LoadFromIni()
{
    if (OnLoad)
        OnLoad(this);
}

// ---- TStoredValue and TStoredValues ----

void TStoredValue::SetName(const String& Value)
{
    if (SameText(Value, FName))
        return;
    auto* values = dynamic_cast<TStoredValues*>(Collection());
    if (values && values->IndexOf(Value) >= 0)
        throw Exception("A stored value named '" + Value + "' exists already");
    FName = Value;
}

String TStoredValue::DisplayName() const { return FName.empty() ? TCollectionItem::DisplayName() : FName; }

void TStoredValue::Assign(TPersistent* Source)
{
    auto* source = dynamic_cast<TStoredValue*>(Source);
    if (!source) {
        TCollectionItem::Assign(Source);
        return;
    }
    SetName(source->FName);
    FValue = source->FValue;
    FKeyString = source->FKeyString;
    OnSave = source->OnSave;
    OnRestore = source->OnRestore;
}

TFormPlacement* TStoredValue::Storage() const
{
    auto* values = dynamic_cast<TStoredValues*>(Collection());
    return values ? values->Storage() : nullptr;
}

void TStoredValue::Save()
{
    TFormPlacement* storage = Storage();
    if (!storage || FName.empty())
        return;
    Variant saved = FValue;
    if (OnSave)
        OnSave(this, saved);
    String text = saved.AsString();
    if (!FKeyString.empty())
        text = XorEncode(FKeyString, text);
    storage->WriteString(FName, text);
}

void TStoredValue::Restore()
{
    TFormPlacement* storage = Storage();
    if (!storage || FName.empty())
        return;
    String current = FValue.AsString();
    if (!FKeyString.empty())
        current = XorEncode(FKeyString, current);
    String text = storage->ReadString(FName, current);
    if (!FKeyString.empty())
        text = XorDecode(FKeyString, text);
    FValue = Variant(text);
    if (OnRestore)
        OnRestore(this, FValue);
}

TStoredValues::TStoredValues(TFormPlacement* AOwner)
    : TOwnedCollection(AOwner, [](TCollection* c) { return new TStoredValue(c); }), FStorage(AOwner)
{
}

int TStoredValues::IndexOf(const String& Name) const
{
    for (int i = 0; i < Count(); ++i)
        if (SameText(Items(i)->Name(), Name))
            return i;
    return -1;
}

TStoredValue* TStoredValues::StoredValue(const String& Name) const
{
    const int i = IndexOf(Name);
    return i >= 0 ? Items(i) : nullptr;
}

Variant TStoredValues::GetStoredValue(const String& Name) const
{
    TStoredValue* item = StoredValue(Name);
    return item ? item->Value() : Variant();
}

void TStoredValues::SetStoredValue(const String& Name, const Variant& Value)
{
    TStoredValue* item = StoredValue(Name);
    if (!item) {
        item = static_cast<TStoredValue*>(Add());
        item->SetName(Name);
    }
    item->SetValue(Value);
}

void TStoredValues::SaveValues()
{
    vt::FirstFailure failure;
    for (int i = 0; i < Count(); ++i)
        failure.Try([&] { Items(i)->Save(); });
    failure.RaiseIfAny();
}

void TStoredValues::RestoreValues()
{
    vt::FirstFailure failure;
    for (int i = 0; i < Count(); ++i)
        failure.Try([&] { Items(i)->Restore(); });
    failure.RaiseIfAny();
}

// ---- TFormPlacement: storage ----

TFormPlacement::TFormPlacement(TComponent* AOwner)
    : TComponent(AOwner), FMinMaxInfo(new TWinMinMaxInfo(this)), FWinHook(new TVtWindowHook(nullptr))
{
    if (dynamic_cast<TCustomForm*>(AOwner))
        FOptions = TPlacementOptions{fpState, fpPosition};
    FWinHook->AfterMessage = [this](TObject* Sender, TMessage& Msg, bool& Handled) {
        WndMessage(Sender, Msg, Handled);
    };
}

TFormPlacement::~TFormPlacement()
{
    IniFree();
    while (!FLinks.empty())
        FLinks.back()->SetStorage(nullptr);
    delete FWinHook;
    if (FAttached && Owner() && !Owner()->ComponentState().Contains(csDestroying))
        RestoreEvents();
    delete FMinMaxInfo;
}

TCustomForm* TFormPlacement::Form() const { return dynamic_cast<TCustomForm*>(Owner()); }

String TFormPlacement::IniFileNameOrDefault() const
{
    if (!FIniFileName.empty() || ComponentState().Contains(csDesigning))
        return FIniFileName;
    return FUseRegistry ? GetDefaultIniRegKey() : GetDefaultIniName();
}

String TFormPlacement::IniSectionOrDefault() const
{
    if (!FIniSection.empty() || ComponentState().Contains(csDesigning))
        return FIniSection;
    // While a form is destroyed its class is already its base class: the save at its end uses
    // the section it was restored from.
    if (FSaving && !FRestoredSection.empty())
        return FRestoredSection;
    return GetDefaultSection(Owner());
}

void TFormPlacement::IniNeeded(bool ReadOnly)
{
    if (FIniObject)
        return;
    const String name = IniFileNameOrDefault();
    if (!FUseRegistry) {
        FIniObject = new TIniFile(name);
        return;
    }
    auto* reg = new TRegIniFile(name, ReadOnly ? KEY_READ : KEY_ALL_ACCESS);
    if (FRegistryRoot != prCurrentUser) {
        reg->SetRootKey(RootKeyOf(FRegistryRoot));
        reg->OpenKey(name, !ReadOnly);
    }
    FIniObject = reg;
}

void TFormPlacement::IniFree() { FreeAndNil(FIniObject); }

template <class Use>
void TFormPlacement::WithStorage(bool ReadOnly, Use use)
{
    const bool opened = !FIniObject;
    IniNeeded(ReadOnly);
    try {
        use();
    } catch (...) {
        if (opened)
            IniFree();
        throw;
    }
    if (opened)
        IniFree();
}

String TFormPlacement::DoReadString(const String& Section, const String& Ident, const String& Default)
{
    String result = Default;
    WithStorage(true, [&] { result = IniReadString(FIniObject, Section, Ident, Default); });
    return result;
}

void TFormPlacement::DoWriteString(const String& Section, const String& Ident, const String& Value)
{
    WithStorage(false, [&] { IniWriteString(FIniObject, Section, Ident, Value); });
}

String TFormPlacement::ReadString(const String& Ident, const String& Default)
{
    return DoReadString(IniSectionOrDefault(), Ident, Default);
}

void TFormPlacement::WriteString(const String& Ident, const String& Value)
{
    DoWriteString(IniSectionOrDefault(), Ident, Value);
}

int TFormPlacement::ReadInteger(const String& Ident, int Default)
{
    int result = Default;
    WithStorage(true, [&] { result = IniReadInteger(FIniObject, IniSectionOrDefault(), Ident, Default); });
    return result;
}

void TFormPlacement::WriteInteger(const String& Ident, int Value)
{
    WithStorage(false, [&] { IniWriteInteger(FIniObject, IniSectionOrDefault(), Ident, Value); });
}

void TFormPlacement::EraseSections()
{
    const String section = IniSectionOrDefault();
    WithStorage(false, [&] {
        TStringList sections;
        IniReadSections(FIniObject, &sections);
        for (int i = 0; i < sections.Count(); ++i) {
            const String& name = sections.Strings(i);
            if (SameText(name, section) || IsWild(name, section + ".*", true) || IsWild(name, section + "\\*", true))
                IniEraseSection(FIniObject, name);
        }
    });
}

// ---- TFormPlacement: saving and restoring ----

void TFormPlacement::SaveFormPlacement()
{
    // A placement that was never applied is not overwritten.
    if (FActive && !FRestored)
        return;
    // A save that fails has been tried: it is reported once, not again when the form goes.
    FSaved = true;
    WithStorage(false, [&] {
        IniWriteInteger(FIniObject, IniSectionOrDefault(), kFormVersion, FVersion);
        SavePlacement();
        Save();
    });
}

void TFormPlacement::RestoreFormPlacement()
{
    FSaved = false;
    FRestoredSection = IniSectionOrDefault();
    WithStorage(true, [&] {
        const String section = FRestoredSection;
        if (IniReadInteger(FIniObject, section, kFormVersion, 0) >= FVersion) {
            RestorePlacement();
            FRestored = true;
            Restore();
            TCustomForm* form = Form();
            if (FOptions.Contains(fpActiveControl) && form) {
                const String name = IniReadString(FIniObject, section, kActiveControl, String());
                auto* control = dynamic_cast<TWinControl*>(form->FindComponent(name));
                if (control && control->CanFocus())
                    form->SetActiveControl(control);
            }
        }
        FRestored = true;
    });
    UpdatePlacement();
}

void TFormPlacement::SavePlacement()
{
    if (TCustomForm* form = Form()) {
        const String section = IniSectionOrDefault();
        if (FOptions.Contains(fpState) || FOptions.Contains(fpPosition)) {
            vt::WritePlacement(form, FIniObject, section);
            IniWriteBool(FIniObject, section, kVisible, form->Visible());
        }
        if (FOptions.Contains(fpActiveControl) && form->ActiveControl())
            IniWriteString(FIniObject, section, kActiveControl, form->ActiveControl()->Name());
    }
    NotifyLinks(poSave);
}

void TFormPlacement::RestorePlacement()
{
    if (TCustomForm* form = Form())
        vt::ReadPlacement(form, FIniObject, IniSectionOrDefault(), FOptions.Contains(fpPosition),
                          FOptions.Contains(fpState));
    NotifyLinks(poRestore);
}

void TFormPlacement::Save()
{
    if (OnSavePlacement)
        OnSavePlacement(this);
}

void TFormPlacement::Restore()
{
    if (OnRestorePlacement)
        OnRestorePlacement(this);
}

void TFormPlacement::NotifyLinks(TPlacementOperation Operation)
{
    const std::vector<TIniLink*> links = FLinks;
    for (TIniLink* link : links)
        Operation == poSave ? link->SaveToIni() : link->LoadFromIni();
}

// ---- TFormPlacement: the form ----

void TFormPlacement::Loaded()
{
    const bool loading = ComponentState().Contains(csLoading);
    TComponent::Loaded();
    if (loading || !FAttached)
        AttachToForm();
}

void TFormPlacement::AttachToForm()
{
    TCustomForm* form = Form();
    if (!form || FAttached || ComponentState().Contains(csDesigning))
        return;
    FSaveFormShow = form->OnShow;
    FSaveFormCloseQuery = form->OnCloseQuery;
    FSaveFormDestroy = form->OnDestroy;
    form->OnShow = [this](TObject* s) { FormShow(s); };
    form->OnCloseQuery = [this](TObject* s, bool& canClose) { FormCloseQuery(s, canClose); };
    form->OnDestroy = [this](TObject* s) { FormDestroy(s); };
    FDefMaximize = form->BorderIcons().Contains(biMaximize);
    FAttached = true;
    if (FPreventResize)
        UpdatePreventResize();
    CheckToggleHook();
}

void TFormPlacement::RestoreEvents()
{
    TCustomForm* form = Form();
    if (!form)
        return;
    form->OnShow = FSaveFormShow;
    form->OnCloseQuery = FSaveFormCloseQuery;
    form->OnDestroy = FSaveFormDestroy;
    FAttached = false;
}

void TFormPlacement::FormShow(TObject* Sender)
{
    if (FActive) {
        // A storage that cannot be read leaves the form as designed, and says why.
        try {
            RestoreFormPlacement();
        } catch (...) {
            Application->HandleException(this);
        }
    }
    if (FSaveFormShow)
        FSaveFormShow(Sender);
}

void TFormPlacement::FormCloseQuery(TObject* Sender, bool& CanClose)
{
    if (FSaveFormCloseQuery)
        FSaveFormCloseQuery(Sender, CanClose);
    TCustomForm* form = Form();
    if (!CanClose || !FActive || !form || !form->HandleAllocated())
        return;
    try {
        SaveFormPlacement();
    } catch (...) {
        Application->HandleException(this);
    }
}

void TFormPlacement::FormDestroy(TObject* Sender)
{
    if (FActive && !FSaved) {
        FSaving = true;
        try {
            SaveFormPlacement();
        } catch (...) {
            FSaving = false;
            Application->HandleException(this);
        }
        FSaving = false;
    }
    if (FSaveFormDestroy)
        FSaveFormDestroy(Sender);
}

// ---- TFormPlacement: size limits ----

void TFormPlacement::MinMaxInfoChanged()
{
    UpdatePlacement();
    if (!ComponentState().Contains(csLoading))
        CheckToggleHook();
}

void TFormPlacement::SetPreventResize(bool Value)
{
    if (FPreventResize == Value)
        return;
    FPreventResize = Value;
    UpdatePlacement();
    if (FAttached)
        UpdatePreventResize();
    CheckToggleHook();
}

void TFormPlacement::UpdatePreventResize()
{
    TCustomForm* form = Form();
    if (!form)
        return;
    TBorderIcons icons = form->BorderIcons();
    if (FPreventResize && form->BorderStyle() != bsDialog)
        icons.Exclude(biMaximize);
    else if (FDefMaximize)
        icons.Include(biMaximize);
    form->SetBorderIcons(icons);
}

void TFormPlacement::CheckToggleHook()
{
    TCustomForm* form = Form();
    const bool wanted = form && (FPreventResize || !FMinMaxInfo->DefaultMinMaxInfo());
    FWinHook->SetWinControl(wanted ? form : nullptr);
}

void TFormPlacement::UpdatePlacement()
{
    TCustomForm* form = Form();
    if (!form || !form->HandleAllocated() || ComponentState().Contains(csLoading) || FPreventResize ||
        !FMinMaxInfo->DefaultMinMaxInfo())
        return;
    WINDOWPLACEMENT placement;
    GetWindowPlacement(form->Handle(), &placement);
    if (!IsWindowVisible(form->Handle()))
        placement.showCmd = SW_HIDE;
    TPoint border{0, 0};
    switch (form->BorderStyle()) {
    case bsSingle:
    case bsToolWindow: border = Point(GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER)); break;
    case bsSizeable:
    case bsSizeToolWin: border = Point(GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME)); break;
    case bsDialog: border = Point(GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME)); break;
    case bsNone: break;
    }
    placement.ptMaxPosition = Point(-border.X, -border.Y);
    SetWindowPlacement(form->Handle(), &placement);
}

void TFormPlacement::WndMessage(TObject* Sender, TMessage& Msg, bool& Handled)
{
    TCustomForm* form = Form();
    if (!form)
        return;
    if (FPreventResize) {
        if (Msg.Msg == WM_GETMINMAXINFO && form->HandleAllocated() && form->Visible()) {
            auto* info = reinterpret_cast<MINMAXINFO*>(Msg.LParam);
            info->ptMinTrackSize = Point(form->Width(), form->Height());
            info->ptMaxTrackSize = Point(form->Width(), form->Height());
            Handled = true;
        } else if (Msg.Msg == WM_NCHITTEST && Msg.Result >= HTLEFT && Msg.Result <= HTBOTTOMRIGHT) {
            Msg.Result = HTNOWHERE;
        }
        return;
    }
    if (Msg.Msg != WM_GETMINMAXINFO)
        return;
    auto* info = reinterpret_cast<MINMAXINFO*>(Msg.LParam);
    const TWinMinMaxInfo& limits = *FMinMaxInfo;
    if (limits.DefaultMinMaxInfo()) {
        info->ptMaxPosition = Point(0, 0);
    } else {
        auto take = [](int value, int& field) {
            if (value != 0)
                field = value;
        };
        take(limits.MinTrackWidth(), info->ptMinTrackSize.X);
        take(limits.MinTrackHeight(), info->ptMinTrackSize.Y);
        take(limits.MaxTrackWidth(), info->ptMaxTrackSize.X);
        take(limits.MaxTrackHeight(), info->ptMaxTrackSize.Y);
        take(limits.MaxSizeWidth(), info->ptMaxSize.X);
        take(limits.MaxSizeHeight(), info->ptMaxSize.Y);
        take(limits.MaxPosLeft(), info->ptMaxPosition.X);
        take(limits.MaxPosTop(), info->ptMaxPosition.Y);
    }
    Handled = true;
}

// ---- TFormStorage ----

TFormStorage::TFormStorage(TComponent* AOwner)
    : TFormPlacement(AOwner), FStoredProps(new TStringList), FStoredValues(new TStoredValues(this))
{
}

TFormStorage::~TFormStorage()
{
    delete FStoredValues;
    delete FStoredProps;
}

void TFormStorage::SetStoredProps(TStrings* Value)
{
    FStoredProps->Assign(Value);
    SetNotification();
}

template <class Use>
void TFormStorage::WithPropsStorage(Use use)
{
    TPropsStorage storage;
    storage.SetSection(IniSectionOrDefault());
    storage.OnReadString = [this](const String& s, const String& k, const String& d) { return DoReadString(s, k, d); };
    storage.OnWriteString = [this](const String& s, const String& k, const String& v) { DoWriteString(s, k, v); };
    storage.OnEraseSection = [this](const String& s) { WithStorage(false, [&] { IniEraseSection(IniObject(), s); }); };
    use(storage);
}

void TFormStorage::SaveProperties()
{
    if (Owner())
        WithPropsStorage([this](TPropsStorage& storage) { storage.StoreObjectsProps(Owner(), FStoredProps); });
}

void TFormStorage::RestoreProperties()
{
    if (Owner())
        WithPropsStorage([this](TPropsStorage& storage) { storage.LoadObjectsProps(Owner(), FStoredProps); });
}

// The properties and the values are saved and restored even when one of them fails.
void TFormStorage::SavePlacement()
{
    vt::FirstFailure failure;
    failure.Try([this] { TFormPlacement::SavePlacement(); });
    failure.Try([this] { SaveProperties(); });
    failure.Try([this] { FStoredValues->SaveValues(); });
    failure.RaiseIfAny();
}

void TFormStorage::RestorePlacement()
{
    vt::FirstFailure failure;
    failure.Try([this] { TFormPlacement::RestorePlacement(); });
    FRestored = true;
    failure.Try([this] { RestoreProperties(); });
    failure.Try([this] { FStoredValues->RestoreValues(); });
    failure.RaiseIfAny();
}

void TFormStorage::Loaded()
{
    TFormPlacement::Loaded();
    SetNotification();
}

// Drops the items whose component is gone and asks the others to tell of their removal.
void TFormStorage::SetNotification()
{
    if (!Owner() || ComponentState().Contains(csLoading))
        return;
    UpdateStoredList(Owner(), FStoredProps, false);
    for (int i = 0; i < FStoredProps->Count(); ++i)
        if (auto* comp = dynamic_cast<TComponent*>(FStoredProps->Objects(i)); comp && comp != this)
            comp->FreeNotification(this);
}

void TFormStorage::Notification(TComponent* AComponent, TOperation Operation)
{
    TFormPlacement::Notification(AComponent, Operation);
    if (Operation != opRemove || ComponentState().Contains(csDestroying))
        return;
    for (int i = FStoredProps->Count() - 1; i >= 0; --i)
        if (FStoredProps->Objects(i) == AComponent)
            FStoredProps->Delete(i);
}

// ---- Published properties ----

namespace {
const vt::EnumRegistration<TPlacementOption> kPlacementOption{"TPlacementOption",
                                                              {"fpState", "fpPosition", "fpActiveControl"}};
const vt::EnumRegistration<TPlacementRegRoot> kPlacementRegRoot{
    "TPlacementRegRoot",
    {"prCurrentUser", "prLocalMachine", "prCurrentConfig", "prClassesRoot", "prUsers", "prDynData"}};
const vt::ClassRegistration<TWinMinMaxInfo, TPersistent> kWinMinMaxInfo{
    "TWinMinMaxInfo",
    {
        vt::Published("MaxPosLeft", &TWinMinMaxInfo::MaxPosLeft, &TWinMinMaxInfo::SetMaxPosLeft),
        vt::Published("MaxPosTop", &TWinMinMaxInfo::MaxPosTop, &TWinMinMaxInfo::SetMaxPosTop),
        vt::Published("MaxSizeHeight", &TWinMinMaxInfo::MaxSizeHeight, &TWinMinMaxInfo::SetMaxSizeHeight),
        vt::Published("MaxSizeWidth", &TWinMinMaxInfo::MaxSizeWidth, &TWinMinMaxInfo::SetMaxSizeWidth),
        vt::Published("MaxTrackHeight", &TWinMinMaxInfo::MaxTrackHeight, &TWinMinMaxInfo::SetMaxTrackHeight),
        vt::Published("MaxTrackWidth", &TWinMinMaxInfo::MaxTrackWidth, &TWinMinMaxInfo::SetMaxTrackWidth),
        vt::Published("MinTrackHeight", &TWinMinMaxInfo::MinTrackHeight, &TWinMinMaxInfo::SetMinTrackHeight),
        vt::Published("MinTrackWidth", &TWinMinMaxInfo::MinTrackWidth, &TWinMinMaxInfo::SetMinTrackWidth),
    }};
const vt::ClassRegistration<TStoredValue, TCollectionItem> kStoredValue{
    "TStoredValue",
    {
        vt::Published("Name", &TStoredValue::Name, &TStoredValue::SetName),
        vt::Published("Value", &TStoredValue::Value, &TStoredValue::SetValue),
        vt::Published("KeyString", &TStoredValue::KeyString, &TStoredValue::SetKeyString),
    }};
const vt::ClassRegistration<TStoredValues, TOwnedCollection> kStoredValues{"TStoredValues", {}};
const vt::ClassRegistration<TFormPlacement, TComponent> kFormPlacement{
    "TFormPlacement",
    {
        vt::Published("Active", &TFormPlacement::Active, &TFormPlacement::SetActive),
        vt::Published("IniFileName", &TFormPlacement::IniFileName, &TFormPlacement::SetIniFileName),
        vt::Published("IniSection", &TFormPlacement::IniSection, &TFormPlacement::SetIniSection),
        vt::Published("MinMaxInfo", &TFormPlacement::MinMaxInfo, &TFormPlacement::SetMinMaxInfo),
        vt::Published("Options", &TFormPlacement::Options, &TFormPlacement::SetOptions),
        vt::Published("PreventResize", &TFormPlacement::PreventResize, &TFormPlacement::SetPreventResize),
        vt::Published("RegistryRoot", &TFormPlacement::RegistryRoot, &TFormPlacement::SetRegistryRoot),
        vt::Published("UseRegistry", &TFormPlacement::UseRegistry, &TFormPlacement::SetUseRegistry),
        vt::Published("Version", &TFormPlacement::Version, &TFormPlacement::SetVersion),
    }};
const vt::ClassRegistration<TFormStorage, TFormPlacement> kFormStorage{
    "TFormStorage",
    {
        vt::Published("StoredProps", &TFormStorage::StoredProps, &TFormStorage::SetStoredProps),
        vt::Published("StoredValues", &TFormStorage::StoredValues, &TFormStorage::SetStoredValues),
    }};
}  // namespace
