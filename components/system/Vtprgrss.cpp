// The progress registry: a list of records searched from the last to the first, made on first
// use with the platform's progress bar.
#include "components/system/Vtprgrss.h"

#include "ui/controls/ComCtrls.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {
constexpr std::size_t kMaxPropName = 63;

struct TProgressProp {
    TClass ControlClass;
    String MaxProp;
    String MinProp;
    String ProgressProp;
};
using TProgressList = std::vector<TProgressProp>;

std::unique_ptr<TProgressList>& ProgressListHolder()
{
    static std::unique_ptr<TProgressList> list;
    return list;
}

TProgressList& ProgressList()
{
    auto& list = ProgressListHolder();
    if (!list)
        list = std::make_unique<TProgressList>(
            TProgressList{{vt::ClassOf<TProgressBar>(), "Max", "Min", "Position"}});
    return *list;
}

const TProgressProp* FindProgressProp(TControl* Control)
{
    if (!Control)
        return nullptr;
    const TProgressList& list = ProgressList();
    auto it = std::find_if(list.rbegin(), list.rend(),
                           [&](const TProgressProp& p) { return p.ControlClass->IsInstance(Control); });
    return it == list.rend() ? nullptr : &*it;
}

bool SetProgressProperty(TControl* Control, String TProgressProp::*Which, long Value)
{
    const TProgressProp* record = FindProgressProp(Control);
    const TPropInfo* info = record ? GetPropInfo(Control, record->*Which) : nullptr;
    if (!info || !info->Write)
        return false;
    switch (info->PropType->Kind) {
    case tkInteger: SetOrdProp(Control, info, Value); return true;
    case tkFloat: SetFloatProp(Control, info, Value); return true;
    default: return false;
    }
}
}  // namespace

void RegisterProgressControl(TClass AClass, const String& MaxPropName, const String& MinPropName,
                             const String& ProgressPropName)
{
    ProgressList().push_back({AClass, MaxPropName.substr(0, kMaxPropName), MinPropName.substr(0, kMaxPropName),
                              ProgressPropName.substr(0, kMaxPropName)});
}

void UnRegisterProgressControl(TClass AClass)
{
    auto& list = ProgressListHolder();
    if (!list)
        return;
    list->erase(std::remove_if(list->begin(), list->end(),
                               [&](const TProgressProp& p) { return p.ControlClass->InheritsFrom(AClass); }),
                list->end());
}

bool SupportsProgressControl(TControl* Control) { return FindProgressProp(Control) != nullptr; }

bool SetProgressMax(TControl* Control, long MaxValue)
{
    return SetProgressProperty(Control, &TProgressProp::MaxProp, MaxValue);
}

bool SetProgressMin(TControl* Control, long MinValue)
{
    return SetProgressProperty(Control, &TProgressProp::MinProp, MinValue);
}

bool SetProgressValue(TControl* Control, long ProgressValue)
{
    return SetProgressProperty(Control, &TProgressProp::ProgressProp, ProgressValue);
}
