// TDataModule: the non-visual container that owns a program's connection, datasets and data
// sources, with the creation and destruction events its design binds.
#pragma once

#include "rtl/Classes.h"

class TDataModule : public TComponent {
 public:
  explicit TDataModule(TComponent* AOwner) : TComponent(AOwner) {}
  ~TDataModule() override;

  // Fires OnCreate; the module's constructor calls it once its design is built.
  void DoCreate();

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
};
