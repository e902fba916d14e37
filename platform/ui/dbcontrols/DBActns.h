// The data-set actions: commands that move through, edit, post or cancel the dataset of a data
// source. A data-aware control offered the action passes it to its data link, so the action acts
// on the dataset of the focused control's field; with DataSource set it acts on that source only.
#pragma once

#include "db/DataSource.h"
#include "ui/controls/ActnList.h"

class TDataSetAction : public TAction {
public:
    explicit TDataSetAction(TComponent* AOwner) : TAction(AOwner) {}
    ~TDataSetAction() override;
    TDataSource* DataSource() const { return FDataSource; }
    void SetDataSource(TDataSource* Value);
    // A data source with a dataset: this action's own source when it has one, else any.
    bool HandlesTarget(TObject* Target) override;

protected:
    TDataSet* GetDataSet(TObject* Target) const;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TDataSource* FDataSource = nullptr;
};

// Each one acts on the target's dataset and is enabled while that makes sense.
#define VT_DATASET_ACTION(Name)                                             \
    class Name : public TDataSetAction {                                    \
    public:                                                                 \
        explicit Name(TComponent* AOwner) : TDataSetAction(AOwner) {}       \
        void ExecuteTarget(TObject* Target) override;                       \
        void UpdateTarget(TObject* Target) override;                        \
    };
VT_DATASET_ACTION(TDataSetFirst)
VT_DATASET_ACTION(TDataSetPrior)
VT_DATASET_ACTION(TDataSetNext)
VT_DATASET_ACTION(TDataSetLast)
VT_DATASET_ACTION(TDataSetInsert)
VT_DATASET_ACTION(TDataSetDelete)
VT_DATASET_ACTION(TDataSetEdit)
VT_DATASET_ACTION(TDataSetPost)
VT_DATASET_ACTION(TDataSetCancel)
#undef VT_DATASET_ACTION
