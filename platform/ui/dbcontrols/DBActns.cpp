// The data-set actions: what each does to its target's dataset, and when it is enabled.
#include "ui/dbcontrols/DBActns.h"

TDataSetAction::~TDataSetAction() { SetDataSource(nullptr); }

void TDataSetAction::SetDataSource(TDataSource* Value)
{
    if (FDataSource == Value)
        return;
    if (FDataSource)
        FDataSource->RemoveFreeNotification(this);
    FDataSource = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TDataSetAction::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FDataSource)
        FDataSource = nullptr;
    TAction::Notification(AComponent, Operation);
}

bool TDataSetAction::HandlesTarget(TObject* Target)
{
    auto* source = dynamic_cast<TDataSource*>(Target);
    return source && source->DataSet() && (!FDataSource || source == FDataSource);
}

TDataSet* TDataSetAction::GetDataSet(TObject* Target) const
{
    return static_cast<TDataSource*>(Target)->DataSet();
}

namespace {
bool Editing(const TDataSet* d) { return d->State() == dsEdit || d->State() == dsInsert; }
bool CanGoBack(const TDataSet* d) { return d->Active() && !d->Bof(); }
bool CanGoOn(const TDataSet* d) { return d->Active() && !d->Eof(); }
bool CanChange(const TDataSet* d) { return d->Active() && d->CanModify(); }
}  // namespace

void TDataSetFirst::ExecuteTarget(TObject* Target) { GetDataSet(Target)->First(); }
void TDataSetFirst::UpdateTarget(TObject* Target) { SetEnabled(CanGoBack(GetDataSet(Target))); }

void TDataSetPrior::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Prior(); }
void TDataSetPrior::UpdateTarget(TObject* Target) { SetEnabled(CanGoBack(GetDataSet(Target))); }

void TDataSetNext::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Next(); }
void TDataSetNext::UpdateTarget(TObject* Target) { SetEnabled(CanGoOn(GetDataSet(Target))); }

void TDataSetLast::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Last(); }
void TDataSetLast::UpdateTarget(TObject* Target) { SetEnabled(CanGoOn(GetDataSet(Target))); }

void TDataSetInsert::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Insert(); }
void TDataSetInsert::UpdateTarget(TObject* Target) { SetEnabled(CanChange(GetDataSet(Target))); }

void TDataSetDelete::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Delete(); }
void TDataSetDelete::UpdateTarget(TObject* Target)
{
    const TDataSet* d = GetDataSet(Target);
    SetEnabled(CanChange(d) && !d->IsEmpty());
}

void TDataSetEdit::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Edit(); }
void TDataSetEdit::UpdateTarget(TObject* Target)
{
    const TDataSet* d = GetDataSet(Target);
    SetEnabled(CanChange(d) && !Editing(d));
}

void TDataSetPost::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Post(); }
void TDataSetPost::UpdateTarget(TObject* Target) { SetEnabled(Editing(GetDataSet(Target))); }

void TDataSetCancel::ExecuteTarget(TObject* Target) { GetDataSet(Target)->Cancel(); }
void TDataSetCancel::UpdateTarget(TObject* Target) { SetEnabled(Editing(GetDataSet(Target))); }
