// Where the component library keeps layouts and settings, in an ini file or under a registry key:
// default file names, keys and sections, one set of read and write helpers for both kinds of
// storage, line-break escaping, the form placement record, grid column widths and form helpers.
#pragma once

#include "rtl/IniFiles.h"
#include "rtl/Registry.h"
#include "ui/forms/Forms.h"

#include <exception>
#include <functional>

class TCustomGrid;
class TStrings;

extern std::function<String()> OnGetDefaultIniName;
extern String DefCompanyName;
extern bool RegUseAppTitle;

String GetDefaultSection(TComponent* Component);
String GetDefaultIniName();
// Registry keys are separated by "\" in the registry store.
String GetDefaultIniRegKey();
// The file name (or registry key) of the first placement component of the control's form, else
// the default one, and the control's default section.
void GetDefaultIniData(TControl* Control, String& IniFileName, String& Section, bool UseRegistry);

// Line breaks become "\n" and back; texts over 4096 characters raise "Line too long".
String StrToIniStr(const String& Str);
String IniStrToStr(const String& Str);

// The storage object is a TIniFile or a TRegIniFile; for any other object the reads give the
// default and the writes do nothing.
String IniReadString(TObject* IniObject, const String& Section, const String& Ident, const String& Default);
void IniWriteString(TObject* IniObject, const String& Section, const String& Ident, const String& Value);
int IniReadInteger(TObject* IniObject, const String& Section, const String& Ident, int Default);
void IniWriteInteger(TObject* IniObject, const String& Section, const String& Ident, int Value);
bool IniReadBool(TObject* IniObject, const String& Section, const String& Ident, bool Default);
void IniWriteBool(TObject* IniObject, const String& Section, const String& Ident, bool Value);
void IniEraseSection(TObject* IniObject, const String& Section);
void IniDeleteKey(TObject* IniObject, const String& Section, const String& Ident);
void IniReadSections(TObject* IniObject, TStrings* Strings);

namespace vt {
// Runs steps that must all be tried, as the values of one save are: a step that fails does not
// stop the ones after it, and the first failure is raised once all have run.
class FirstFailure {
public:
    template <class Step>
    void Try(Step step)
    {
        try {
            step();
        } catch (const Exception&) {
            if (!FFailure)
                FFailure = std::current_exception();
        }
    }
    void RaiseIfAny() const
    {
        if (FFailure)
            std::rethrow_exception(FFailure);
    }

private:
    std::exception_ptr FFailure;
};
}  // namespace vt

void WriteFormPlacement(TCustomForm* Form, TIniFile* IniFile, const String& Section);
void WriteFormPlacementReg(TCustomForm* Form, TRegIniFile* IniFile, const String& Section);
void ReadFormPlacement(TCustomForm* Form, TIniFile* IniFile, const String& Section, bool LoadPosition,
                       bool LoadState);
void ReadFormPlacementReg(TCustomForm* Form, TRegIniFile* IniFile, const String& Section, bool LoadPosition,
                          bool LoadState);
void SaveFormPlacement(TCustomForm* Form, const String& IniFileName, bool UseRegistry);
void RestoreFormPlacement(TCustomForm* Form, const String& IniFileName, bool UseRegistry);
namespace vt {
// The one placement reader and writer behind the ini and registry forms above.
void WritePlacement(TCustomForm* Form, TObject* IniObject, const String& Section);
void ReadPlacement(TCustomForm* Form, TObject* IniObject, const String& Section, bool LoadPosition,
                   bool LoadState);
}  // namespace vt

void SaveGridLayout(TCustomGrid* Grid, TIniFile* IniFile);
void RestoreGridLayout(TCustomGrid* Grid, TIniFile* IniFile);
void SaveGridLayoutReg(TCustomGrid* Grid, TRegIniFile* IniFile);
void RestoreGridLayoutReg(TCustomGrid* Grid, TRegIniFile* IniFile);

// The first screen form of class T, or none.
template <class T>
T* FindForm()
{
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (auto* form = dynamic_cast<T*>(Screen->Forms(i)))
            return form;
    return nullptr;
}

// The first screen form of class T with that caption (any, when Caption is empty), else a new one
// made by the application and given the caption; restored from minimised and shown.
template <class T>
T* FindShowForm(const String& Caption)
{
    T* found = nullptr;
    for (int i = 0; i < Screen->FormCount() && !found; ++i) {
        auto* form = dynamic_cast<T*>(Screen->Forms(i));
        if (form && (Caption.empty() || form->Caption() == Caption))
            found = form;
    }
    if (!found) {
        Application->CreateForm(found);
        if (!Caption.empty())
            found->SetCaption(Caption);
    }
    if (found->WindowState() == wsMinimized)
        found->SetWindowState(wsNormal);
    found->Show();
    return found;
}

// Creates a form of class T, shows it modally and frees it; true for OK or Yes.
template <class T>
bool ShowDialog()
{
    T* form = new T(Application);
    TModalResult result = mrNone;
    try {
        result = form->ShowModal();
    } catch (...) {
        delete form;
        throw;
    }
    delete form;
    return result == mrOk || result == mrYes;
}

template <class T>
T* InstantiateForm(T*& Reference)
{
    if (!Reference)
        Application->CreateForm(Reference);
    return Reference;
}

// The first name the mask (a format with one integer) gives for 0, 1, 2 ... that does not exist
// in the directory; empty when the counter reaches 2^31.
String GetUniqueFileNameInDir(const String& Path, const String& FileNameMask);
void AppBroadcast(UINT Msg, WPARAM WParam, LPARAM LParam);
