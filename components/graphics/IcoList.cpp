// The icon list: slots of owned icons (or none), each icon's changes reported by the list, and
// the stream of a count followed by each icon's size and icon-file bytes.
#include "components/graphics/IcoList.h"

#include <memory>

#include "rtl/Exceptions.h"
#include "rtl/Filer.h"
#include "rtl/StrUtils.h"

namespace {

// The list's index error unless 0 <= Index < Limit.
void CheckIndex(int Index, int Limit) {
  if (Index < 0 || Index >= Limit) throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

}  // namespace

TIconList::~TIconList() {
  OnChange = nullptr;
  Clear();
}

void TIconList::Changed() {
  if (updateCount_ == 0 && OnChange) OnChange(this);
}

void TIconList::BeginUpdate() { ++updateCount_; }

void TIconList::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Changed();
}

void TIconList::Hook(TIcon* icon) {
  if (icon) icon->OnChange = [this](TObject*) { Changed(); };
}

void TIconList::Unhook(TIcon* icon) {
  if (icon) icon->OnChange = nullptr;
}

TIcon* TIconList::Get(int Index) const {
  CheckIndex(Index, Count());
  return list_[std::size_t(Index)];
}

void TIconList::Put(int Index, TIcon* Icon) {
  CheckIndex(Index, Count() + 1);
  Batched([&] {
    if (Index == Count()) list_.push_back(nullptr);
    TIcon*& slot = list_[std::size_t(Index)];
    if (!slot) slot = new TIcon;
    Hook(slot);
    slot->Assign(Icon);
  });
}

int TIconList::Add(TIcon* Icon) {
  auto* copy = new TIcon;
  copy->Assign(Icon);
  return AddIcon(copy);
}

int TIconList::AddIcon(TIcon* Icon) {
  list_.push_back(Icon);
  Hook(Icon);
  Changed();
  return Count() - 1;
}

TIcon* TIconList::IconFromResource(const String& ResName) {
  auto icon = std::make_unique<TIcon>();
  icon->LoadFromResourceName(nullptr, ResName);
  return icon.release();
}

int TIconList::AddResource(void* Instance, const String& ResName) { return AddIcon(IconFromResource(ResName)); }

void TIconList::Insert(int Index, TIcon* Icon) {
  CheckIndex(Index, Count() + 1);
  auto* copy = new TIcon;
  copy->Assign(Icon);
  list_.insert(list_.begin() + Index, copy);
  Hook(copy);
  Changed();
}

void TIconList::InsertResource(int Index, void* Instance, const String& ResName) {
  CheckIndex(Index, Count() + 1);
  TIcon* icon = IconFromResource(ResName);
  list_.insert(list_.begin() + Index, icon);
  Hook(icon);
  Changed();
}

void TIconList::LoadResource(void* Instance, const std::vector<String>& ResNames) {
  Batched([&] {
    for (const String& name : ResNames) AddResource(Instance, name);
  });
}

void TIconList::Delete(int Index) {
  CheckIndex(Index, Count());
  TIcon* icon = list_[std::size_t(Index)];
  Unhook(icon);
  delete icon;
  list_.erase(list_.begin() + Index);
  Changed();
}

void TIconList::Clear() {
  BeginUpdate();
  for (int i = Count() - 1; i >= 0; --i) Delete(i);
  EndUpdate();
}

void TIconList::Exchange(int Index1, int Index2) {
  CheckIndex(Index1, Count());
  CheckIndex(Index2, Count());
  std::swap(list_[std::size_t(Index1)], list_[std::size_t(Index2)]);
  Changed();
}

void TIconList::Move(int CurIndex, int NewIndex) {
  CheckIndex(CurIndex, Count());
  CheckIndex(NewIndex, Count());
  TIcon* icon = list_[std::size_t(CurIndex)];
  list_.erase(list_.begin() + CurIndex);
  list_.insert(list_.begin() + NewIndex, icon);
  Changed();
}

int TIconList::IndexOf(TIcon* Icon) const {
  for (int i = 0; i < Count(); ++i)
    if (list_[std::size_t(i)] == Icon) return i;
  return -1;
}

void TIconList::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TIconList*>(Source)) {
    Batched([&] {
      Clear();
      for (TIcon* icon : other->list_) {
        if (icon) Add(icon);
        else AddIcon(nullptr);
      }
    });
    return;
  }
  if (auto* icon = dynamic_cast<TIcon*>(Source)) {
    Clear();
    Add(icon);
    return;
  }
  TPersistent::Assign(Source);
}

void TIconList::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "Icons", [this](TStream* s) { ReadData(s); }, [this](TStream* s) { WriteData(s); },
      StoresIcons(dynamic_cast<TIconList*>(Filer->Ancestor())));
}

bool TIconList::StoresIcons(const TIconList* Ancestor) const {
  if (!Ancestor) return Count() > 0;
  if (Count() != Ancestor->Count()) return true;
  for (int i = 0; i < Count(); ++i)
    if (list_[std::size_t(i)] != Ancestor->list_[std::size_t(i)]) return true;
  return false;
}

void TIconList::ReadData(TStream* Stream) {
  Batched([&] {
    Clear();
    std::int32_t count = 0;
    Stream->ReadBuffer(&count, 4);
    for (std::int32_t i = 0; i < count; ++i) {
      std::int32_t size = 0;
      Stream->ReadBuffer(&size, 4);
      if (size < 1) {
        AddIcon(nullptr);
        continue;
      }
      TMemoryStream bytes;
      bytes.CopyFrom(Stream, size);
      bytes.SetPosition(0);
      auto icon = std::make_unique<TIcon>();
      icon->LoadFromStream(&bytes);
      AddIcon(icon.release());
    }
  });
}

void TIconList::WriteData(TStream* Stream) {
  std::int32_t count = Count();
  Stream->WriteBuffer(&count, 4);
  for (TIcon* icon : list_) {
    std::int32_t size = 0;
    if (!icon || icon->Empty()) {
      Stream->WriteBuffer(&size, 4);
      continue;
    }
    TMemoryStream bytes;
    icon->SaveToStream(&bytes);
    size = std::int32_t(bytes.Size());
    Stream->WriteBuffer(&size, 4);
    Stream->WriteBuffer(bytes.Memory(), size);
  }
}
