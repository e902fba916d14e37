// A link that hears of every move of a dataset's current row: a scroll, a reopen, a close, a
// change between browsing and editing. Field edits inside a row are not moves. It stays quiet
// once its source or dataset is gone, so either side may be destroyed first.
#pragma once

#include <functional>

#include "db/DataSource.h"

namespace vt {

class CurrentRowLink : public TDataLink {
public:
  CurrentRowLink(TDataSource* source, std::function<void()> moved);

protected:
  void ActiveChanged() override { Tell(); }
  void EditingChanged() override { Tell(); }
  void DataSetChanged() override { Tell(); }
  void RecordChanged(TField* field) override;

private:
  void Tell();

  std::function<void()> moved_;
};

}  // namespace vt
