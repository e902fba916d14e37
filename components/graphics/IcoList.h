// TIconList: a list of owned icons with change notification, batch updates, loading from the
// program's icon resources and a stream format stored by forms as the property "Icons".
#pragma once

#include <vector>

#include "rtl/Classes.h"
#include "rtl/Streams.h"
#include "ui/graphics/Graphics.h"

class TIconList : public TPersistent {
 public:
  TIconList() = default;
  ~TIconList() override;
  void Assign(TPersistent* Source) override;

  void BeginUpdate();
  void EndUpdate();
  virtual TIcon* Get(int Index) const;
  TIcon* Icons(int Index) const { return Get(Index); }
  virtual int GetCount() const { return int(list_.size()); }
  int Count() const { return GetCount(); }
  virtual void Put(int Index, TIcon* Icon);
  virtual int Add(TIcon* Icon);
  // Appends the object itself (nil allowed); the list owns it from then on.
  int AddIcon(TIcon* Icon);
  virtual int AddResource(void* Instance, const String& ResName);
  virtual void Clear();
  virtual void Delete(int Index);
  virtual void Exchange(int Index1, int Index2);
  virtual int IndexOf(TIcon* Icon) const;
  virtual void Insert(int Index, TIcon* Icon);
  virtual void InsertResource(int Index, void* Instance, const String& ResName);
  void LoadResource(void* Instance, const std::vector<String>& ResNames);
  virtual void Move(int CurIndex, int NewIndex);
  virtual void LoadFromStream(TStream* Stream) { ReadData(Stream); }
  virtual void SaveToStream(TStream* Stream) { WriteData(Stream); }
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);
  // Whether form streaming stores "Icons": always when there is no ancestor and the list has
  // icons; against an ancestor list, when the counts or any slot's icon object differ.
  bool StoresIcons(const TIconList* Ancestor) const;

  TNotifyEvent OnChange;

 protected:
  // Forms store the list as the binary property "Icons".
  void DefineProperties(TFiler* Filer) override;
  virtual void Changed();

 private:
  // Runs change inside BeginUpdate/EndUpdate, ending the update also when it raises.
  template <class Change>
  void Batched(Change change) {
    BeginUpdate();
    try {
      change();
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }
  void Hook(TIcon* icon);
  void Unhook(TIcon* icon);
  static TIcon* IconFromResource(const String& ResName);

  std::vector<TIcon*> list_;
  int updateCount_ = 0;
};
