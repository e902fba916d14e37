// Layout storage helpers of the component library: default names, the ini-or-registry read and
// write helpers, line-break escaping, form placement and grid column widths.
#include "components/storage/Apputils.h"

#include "components/system/FileUtil.h"
#include "components/storage/Placemnt.h"
#include "rtl/Exceptions.h"
#include "rtl/FileNames.h"
#include "rtl/Format.h"
#include "rtl/StringList.h"
#include "ui/grids/Grids.h"
#include "ui/kernel/WinApi.h"

std::function<String()> OnGetDefaultIniName;
String DefCompanyName;
bool RegUseAppTitle = false;

// ---- Default names ----

String GetDefaultSection(TComponent* Component)
{
    if (!Component)
        return String();
    if (dynamic_cast<TCustomForm*>(Component))
        return Component->ClassName();
    const String name = Component->Name();
    auto* control = dynamic_cast<TControl*>(Component);
    if (!control)
        return dynamic_cast<TCustomForm*>(Component->Owner())
                   ? Format("%s.%s", {Component->Owner()->ClassName(), name})
                   : name;
    if (TCustomForm* form = GetParentForm(control))
        return form->ClassName() + name;
    return control->Parent() ? control->Parent()->Name() + name : name;
}

String GetDefaultIniName()
{
    if (OnGetDefaultIniName)
        return OnGetDefaultIniName();
    return ChangeFileExt(Application->ExeName(), ".INI");
}

String GetDefaultIniRegKey()
{
    String key = RegUseAppTitle && !Application->Title().empty()
                     ? Application->Title()
                     : ChangeFileExt(ExtractFileName(Application->ExeName()), "");
    if (!DefCompanyName.empty())
        key = DefCompanyName + "\\" + key;
    return "Software\\" + key;
}

void GetDefaultIniData(TControl* Control, String& IniFileName, String& Section, bool UseRegistry)
{
    IniFileName = String();
    if (auto* form = dynamic_cast<TCustomForm*>(Control->Owner()))
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* placement = dynamic_cast<TFormPlacement*>(form->Components(i))) {
                IniFileName = placement->IniFileNameOrDefault();
                break;
            }
    Section = GetDefaultSection(Control);
    if (IniFileName.empty())
        IniFileName = UseRegistry ? GetDefaultIniRegKey() : GetDefaultIniName();
}

// ---- Escaping ----

namespace {
constexpr std::size_t kMaxIniLine = 4096;

void CheckLineLength(const String& Str, std::size_t limit)
{
    if (Str.size() > limit)
        throw Exception("Line too long");
}
}  // namespace

String StrToIniStr(const String& Str)
{
    CheckLineLength(Str, kMaxIniLine);
    String result;
    for (std::size_t i = 0; i < Str.size(); ++i) {
        const char c = Str[i];
        if (c != '\r' && c != '\n') {
            result += c;
            continue;
        }
        // CR LF and LF CR are one break.
        const char partner = c == '\r' ? '\n' : '\r';
        if (i + 1 < Str.size() && Str[i + 1] == partner)
            ++i;
        result += "\\n";
    }
    return result;
}

String IniStrToStr(const String& Str)
{
    // The escaped form of a text at the limit may be twice as long (each break doubles).
    CheckLineLength(Str, 2 * kMaxIniLine);
    String result;
    for (std::size_t i = 0; i < Str.size(); ++i) {
        if (Str[i] == '\\' && i + 1 < Str.size() && Str[i + 1] == 'n') {
            result += "\r\n";
            ++i;
        } else {
            result += Str[i];
        }
    }
    return result;
}

// ---- Reading and writing either kind of storage ----

namespace {
template <class IniUse, class RegUse>
void Dispatch(TObject* IniObject, IniUse iniUse, RegUse regUse)
{
    if (auto* reg = dynamic_cast<TRegIniFile*>(IniObject))
        regUse(reg);
    else if (auto* ini = dynamic_cast<TIniFile*>(IniObject))
        iniUse(ini);
}

bool EnclosedIn(const String& Value, char quote)
{
    return Value.size() >= 2 && Value.front() == quote && Value.back() == quote;
}

const char* const kEscapedBreak = "\\n";
}  // namespace

// A value of an ini file holds its line breaks escaped (the registry store keeps them itself).
String IniReadString(TObject* IniObject, const String& Section, const String& Ident, const String& Default)
{
    String result = Default;
    Dispatch(
        IniObject,
        [&](TIniFile* ini) {
            if (!ini->ValueExists(Section, Ident))
                return;
            const String text = ini->ReadString(Section, Ident, Default);
            result = text.find(kEscapedBreak) != String::npos ? IniStrToStr(text) : text;
        },
        [&](TRegIniFile* reg) { result = reg->ReadString(Section, Ident, Default); });
    return result;
}

void IniWriteString(TObject* IniObject, const String& Section, const String& Ident, const String& Value)
{
    Dispatch(
        IniObject,
        [&](TIniFile* ini) {
            // A line break would end the line; the reader takes one pair of quotes off, so a
            // quoted value gets a pair to spare.
            const String text = Value.find_first_of("\r\n") != String::npos ? StrToIniStr(Value) : Value;
            const bool quoted = EnclosedIn(text, '"') || EnclosedIn(text, '\'');
            ini->WriteString(Section, Ident, quoted ? '"' + text + '"' : text);
        },
        [&](TRegIniFile* reg) { reg->WriteString(Section, Ident, Value); });
}

int IniReadInteger(TObject* IniObject, const String& Section, const String& Ident, int Default)
{
    int result = Default;
    Dispatch(
        IniObject, [&](TIniFile* ini) { result = ini->ReadInteger(Section, Ident, Default); },
        [&](TRegIniFile* reg) { result = reg->ReadInteger(Section, Ident, Default); });
    return result;
}

void IniWriteInteger(TObject* IniObject, const String& Section, const String& Ident, int Value)
{
    Dispatch(
        IniObject, [&](TIniFile* ini) { ini->WriteInteger(Section, Ident, Value); },
        [&](TRegIniFile* reg) { reg->WriteInteger(Section, Ident, Value); });
}

bool IniReadBool(TObject* IniObject, const String& Section, const String& Ident, bool Default)
{
    bool result = Default;
    Dispatch(
        IniObject, [&](TIniFile* ini) { result = ini->ReadBool(Section, Ident, Default); },
        [&](TRegIniFile* reg) { result = reg->ReadBool(Section, Ident, Default); });
    return result;
}

void IniWriteBool(TObject* IniObject, const String& Section, const String& Ident, bool Value)
{
    Dispatch(
        IniObject, [&](TIniFile* ini) { ini->WriteBool(Section, Ident, Value); },
        [&](TRegIniFile* reg) { reg->WriteBool(Section, Ident, Value); });
}

void IniEraseSection(TObject* IniObject, const String& Section)
{
    Dispatch(
        IniObject, [&](TIniFile* ini) { ini->EraseSection(Section); },
        [&](TRegIniFile* reg) { reg->EraseSection(Section); });
}

void IniDeleteKey(TObject* IniObject, const String& Section, const String& Ident)
{
    Dispatch(
        IniObject, [&](TIniFile* ini) { ini->DeleteKey(Section, Ident); },
        [&](TRegIniFile* reg) { reg->DeleteKey(Section, Ident); });
}

void IniReadSections(TObject* IniObject, TStrings* Strings)
{
    Dispatch(
        IniObject, [&](TIniFile* ini) { ini->ReadSections(Strings); },
        [&](TRegIniFile* reg) { reg->ReadSections(Strings); });
}

// ---- Form placement ----

namespace {
const char* const kFlags = "Flags";
const char* const kShowCmd = "ShowCmd";
const char* const kPixels = "PixelsPerInch";
const char* const kMinMaxPos = "MinMaxPos";
const char* const kNormPos = "NormPos";
const char* const kPositionFormat = "%d,%d,%d,%d";

String ResolutionText() { return Format("(%dx%d)", {Screen->Width(), Screen->Height()}); }

void WriteBothKeys(TObject* IniObject, const String& Section, const String& Ident, const String& Value)
{
    IniWriteString(IniObject, Section, Ident + ResolutionText(), Value);
    IniWriteString(IniObject, Section, Ident, Value);
}

// The resolution's own key first, then the plain one.
String ReadEitherKey(TObject* IniObject, const String& Section, const String& Ident)
{
    const String value = IniReadString(IniObject, Section, Ident + ResolutionText(), String());
    return value.empty() ? IniReadString(IniObject, Section, Ident, String()) : value;
}

// The n-th comma-separated word as a number; a word that is no number gives 0.
int Word(const String& Text, int n)
{
    std::size_t start = 0;
    for (int i = 0; i < n && start != String::npos; ++i) {
        start = Text.find(',', start);
        if (start != String::npos)
            ++start;
    }
    if (start == String::npos)
        return 0;
    return StrToIntDef(Trim(Text.substr(start, Text.find(',', start) - start)), 0);
}

bool IsSizeable(const TCustomForm* Form)
{
    return Form->BorderStyle() == bsSizeable || Form->BorderStyle() == bsSizeToolWin;
}

void LoadPositionInto(TCustomForm* Form, TObject* IniObject, const String& Section, WINDOWPLACEMENT& Placement)
{
    Placement.flags = IniReadInteger(IniObject, Section, kFlags, Placement.flags);
    const String minMax = ReadEitherKey(IniObject, Section, kMinMaxPos);
    const String normal = ReadEitherKey(IniObject, Section, kNormPos);
    if (!minMax.empty()) {
        Placement.ptMinPosition = Point(Word(minMax, 0), Word(minMax, 1));
        Placement.ptMaxPosition = Point(Word(minMax, 2), Word(minMax, 3));
    }
    TRect& r = Placement.rcNormalPosition;
    r = Bounds(Form->Left(), Form->Top(), Form->Width(), Form->Height());
    if (!normal.empty())
        r = Rect(Word(normal, 0), Word(normal, 1), Word(normal, 2), Word(normal, 3));
    const bool usable = (!minMax.empty() || !normal.empty()) &&
                        IniReadInteger(IniObject, Section, kPixels, Screen->PixelsPerInch()) ==
                            Screen->PixelsPerInch();
    if (!usable)
        return;
    if (!IsSizeable(Form))
        r = Bounds(r.Left, r.Top, Form->Width(), Form->Height());
    if (r.Right <= r.Left)
        return;
    if ((Form->Position() == poScreenCenter || Form->Position() == poDesktopCenter) &&
        !Form->ComponentState().Contains(csDesigning))
        Form->SetPosition(poDesigned);
    SetWindowPlacement(Form->Handle(), &Placement);
}

TWindowState DefaultState(TCustomForm* Form)
{
    const bool mainForm = !Application->MainForm() || Application->MainForm() == Form;
    const bool maximisedByDefault =
        Form->FormStyle() == fsMDIForm || (Form->FormStyle() == fsNormal && Form->Position() == poDefault);
    return mainForm && maximisedByDefault ? wsMaximized : wsNormal;
}

void LoadStateInto(TCustomForm* Form, TObject* IniObject, const String& Section)
{
    TWindowState state = DefaultState(Form);
    switch (IniReadInteger(IniObject, Section, kShowCmd, SW_HIDE)) {
    case 1: case 5: case 9: state = wsNormal; break;
    case 2: case 6: case 7: state = wsMinimized; break;
    case 3: state = wsMaximized; break;
    default: break;
    }
    const bool mainForm = !Application->MainForm() || Application->MainForm() == Form;
    if (state == wsMinimized && mainForm) {
        // No application window here: the main form stands for it.
        Form->SetWindowState(wsNormal);
        Application->Minimize();
        return;
    }
    Form->SetWindowState(state);
}
}  // namespace

void vt::WritePlacement(TCustomForm* Form, TObject* IniObject, const String& Section)
{
    WINDOWPLACEMENT placement;
    GetWindowPlacement(Form->Handle(), &placement);
    if (Form->FormStyle() == fsMDIChild && Form->WindowState() == wsMinimized)
        placement.flags |= WPF_SETMINPOSITION;
    IniWriteInteger(IniObject, Section, kFlags, static_cast<int>(placement.flags));
    IniWriteInteger(IniObject, Section, kShowCmd, static_cast<int>(placement.showCmd));
    IniWriteInteger(IniObject, Section, kPixels, Screen->PixelsPerInch());
    const TPoint& min = placement.ptMinPosition;
    const TPoint& max = placement.ptMaxPosition;
    const TRect& r = placement.rcNormalPosition;
    WriteBothKeys(IniObject, Section, kMinMaxPos, Format(kPositionFormat, {min.X, min.Y, max.X, max.Y}));
    WriteBothKeys(IniObject, Section, kNormPos, Format(kPositionFormat, {r.Left, r.Top, r.Right, r.Bottom}));
}

void vt::ReadPlacement(TCustomForm* Form, TObject* IniObject, const String& Section, bool LoadPosition,
                       bool LoadState)
{
    if (!LoadPosition && !LoadState)
        return;
    WINDOWPLACEMENT placement;
    GetWindowPlacement(Form->Handle(), &placement);
    if (!IsWindowVisible(Form->Handle()))
        placement.showCmd = SW_HIDE;
    if (LoadPosition)
        LoadPositionInto(Form, IniObject, Section, placement);
    if (LoadState)
        LoadStateInto(Form, IniObject, Section);
    Form->Update();
}

void WriteFormPlacement(TCustomForm* Form, TIniFile* IniFile, const String& Section)
{
    vt::WritePlacement(Form, IniFile, Section);
}

void WriteFormPlacementReg(TCustomForm* Form, TRegIniFile* IniFile, const String& Section)
{
    vt::WritePlacement(Form, IniFile, Section);
}

void ReadFormPlacement(TCustomForm* Form, TIniFile* IniFile, const String& Section, bool LoadPosition,
                       bool LoadState)
{
    vt::ReadPlacement(Form, IniFile, Section, LoadPosition, LoadState);
}

void ReadFormPlacementReg(TCustomForm* Form, TRegIniFile* IniFile, const String& Section, bool LoadPosition,
                          bool LoadState)
{
    vt::ReadPlacement(Form, IniFile, Section, LoadPosition, LoadState);
}

namespace {
// The storage of that name, for reading or writing, freed when the use returns.
template <class Use>
void WithStorage(const String& IniFileName, bool UseRegistry, bool ForReading, Use use)
{
    TObject* storage = nullptr;
    if (UseRegistry)
        storage = new TRegIniFile(IniFileName, ForReading ? KEY_READ : KEY_ALL_ACCESS);
    else
        storage = new TIniFile(IniFileName);
    try {
        use(storage);
    } catch (...) {
        delete storage;
        throw;
    }
    delete storage;
}
}  // namespace

void SaveFormPlacement(TCustomForm* Form, const String& IniFileName, bool UseRegistry)
{
    WithStorage(IniFileName, UseRegistry, false,
                [&](TObject* storage) { vt::WritePlacement(Form, storage, Form->ClassName()); });
}

void RestoreFormPlacement(TCustomForm* Form, const String& IniFileName, bool UseRegistry)
{
    WithStorage(IniFileName, UseRegistry, true,
                [&](TObject* storage) { vt::ReadPlacement(Form, storage, Form->ClassName(), true, true); });
}

// ---- Grid layout ----

namespace {
void SaveGridColumns(TCustomGrid* Grid, TObject* IniObject)
{
    const String section = GetDefaultSection(Grid);
    for (int i = 0; i < Grid->ColCount(); ++i)
        IniWriteInteger(IniObject, section, Format("Item%d", {i}), Grid->ColWidths(i));
}

void RestoreGridColumns(TCustomGrid* Grid, TObject* IniObject)
{
    const String section = GetDefaultSection(Grid);
    for (int i = 0; i < Grid->ColCount(); ++i)
        Grid->SetColWidths(i, IniReadInteger(IniObject, section, Format("Item%d", {i}), Grid->ColWidths(i)));
}
}  // namespace

void SaveGridLayout(TCustomGrid* Grid, TIniFile* IniFile) { SaveGridColumns(Grid, IniFile); }
void RestoreGridLayout(TCustomGrid* Grid, TIniFile* IniFile) { RestoreGridColumns(Grid, IniFile); }
void SaveGridLayoutReg(TCustomGrid* Grid, TRegIniFile* IniFile) { SaveGridColumns(Grid, IniFile); }
void RestoreGridLayoutReg(TCustomGrid* Grid, TRegIniFile* IniFile) { RestoreGridColumns(Grid, IniFile); }

// ---- Application helpers ----

String GetUniqueFileNameInDir(const String& Path, const String& FileNameMask)
{
    const String dir = NormalDir(Path);
    for (long long i = 0; i < (1LL << 31); ++i) {
        const String name = Format(FileNameMask, {static_cast<std::int64_t>(i)});
        if (!FileExists(dir + name))
            return name;
    }
    return String();
}

void AppBroadcast(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    for (int i = 0; i < Screen->FormCount(); ++i)
        SendMessage(Screen->Forms(i)->Handle(), Msg, WParam, LParam);
}
