// The compact row store; see RowSet.h.
#include "db/RowSet.h"

namespace vt {

void RowSet::Reset(int columnCount) {
  columns_ = columnCount;
  cells_.clear();
  keys_.clear();
  arena_.clear();
}

void RowSet::Reserve(size_t rows) {
  cells_.reserve(rows * columns_);
  keys_.reserve(rows);
}

int RowSet::AddSlot(std::int64_t key) {
  cells_.resize(cells_.size() + columns_);
  keys_.push_back(key);
  return int(keys_.size()) - 1;
}

void RowSet::SetInteger(int slot, int column, std::int64_t value) {
  Cell& cell = Mutable(slot, column);
  cell.type = CellType::Integer;
  cell.integer = value;
}

void RowSet::SetFloat(int slot, int column, double value) {
  Cell& cell = Mutable(slot, column);
  cell.type = CellType::Float;
  cell.real = value;
}

void RowSet::SetText(int slot, int column, std::string_view text) {
  Cell& cell = Mutable(slot, column);
  cell.type = CellType::Text;
  cell.length = std::uint32_t(text.size());
  cell.offset = arena_.size();
  arena_.append(text);
}

void RowSet::CopyCell(int slot, int column, const RowSet& from, int fromSlot, int fromColumn) {
  const Cell& source = from.At(fromSlot, fromColumn);
  if (source.type == CellType::Text) SetText(slot, column, from.Text(source));
  else Mutable(slot, column) = source;
}

void RowSet::CopyRow(int slot, const RowSet& from, int fromSlot) {
  for (int column = 0; column < columns_ && column < from.columns_; ++column)
    CopyCell(slot, column, from, fromSlot, column);
}

}  // namespace vt
