#include "app/forms/CurrentRowLink.h"

namespace vt {

CurrentRowLink::CurrentRowLink(TDataSource* source, std::function<void()> moved) : moved_(std::move(moved)) {
  SetDataSource(source);
}

void CurrentRowLink::RecordChanged(TField* field) {
  if (!field) Tell();
}

void CurrentRowLink::Tell() {
  if (DataSet()) moved_();
}

}  // namespace vt
