// The data module's creation and destruction events.
#include "db/DataModule.h"

TDataModule::~TDataModule() {
  if (OnDestroy) OnDestroy(this);
}

void TDataModule::DoCreate() {
  if (OnCreate) OnCreate(this);
}
