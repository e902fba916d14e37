// The compact row store; see RowSet.h.
#include "db/RowSet.h"

#include <algorithm>
#include <cstring>

namespace vt {

namespace {
// Text blocks start small (an edit buffer holds one row) and double up to this size.
constexpr size_t kFirstBlockSize = 256;
constexpr size_t kLargestBlockSize = size_t(64) << 10;
}  // namespace

void RowSet::Reset(int columnCount) {
  columns_ = columnCount;
  chunks_.clear();
  keys_.clear();
  blocks_.clear();
  blockSize_ = blockUsed_ = 0;
}

// The first chunk grows row by row, so a small set holds little; once a set needs a second
// chunk, each further one is allocated at its full size at once.
int RowSet::AddSlot(std::int64_t key) {
  if ((keys_.size() & kChunkMask) == 0) {
    chunks_.emplace_back();
    if (chunks_.size() > 1) chunks_.back().reserve(size_t(kChunkRows) * columns_);
  }
  chunks_.back().resize(chunks_.back().size() + columns_);
  keys_.push_back(key);
  return int(keys_.size()) - 1;
}

// Cells are copied; their texts stay where they are, in this store's blocks.
void RowSet::Reorder(const std::vector<int>& slots) {
  std::vector<std::vector<Cell>> chunks;
  std::vector<std::int64_t> keys;
  keys.reserve(slots.size());
  for (int slot : slots) {
    if ((keys.size() & kChunkMask) == 0) {
      chunks.emplace_back();
      chunks.back().reserve(size_t(chunks.size() > 1 ? kChunkRows : std::min<size_t>(slots.size(), kChunkRows)) * columns_);
    }
    const Cell* row = MutableRow(slot);
    chunks.back().insert(chunks.back().end(), row, row + columns_);
    keys.push_back(keys_[slot]);
  }
  chunks_ = std::move(chunks);
  keys_ = std::move(keys);
}

void RowSet::SetInteger(Cell& cell, std::int64_t value) {
  cell.type = CellType::Integer;
  cell.integer = value;
}

void RowSet::SetFloat(Cell& cell, double value) {
  cell.type = CellType::Float;
  cell.real = value;
}

void RowSet::SetText(Cell& cell, std::string_view text) {
  const char* stored = StoreText(text);
  cell.type = CellType::Text;
  cell.length = std::uint32_t(text.size());
  cell.text = stored;
}

// A moved-from store has no blocks left, whatever its counts say.
const char* RowSet::StoreText(std::string_view text) {
  if (blocks_.empty() || text.size() > blockSize_ - blockUsed_) {
    blockSize_ = std::max(text.size(), std::min(kLargestBlockSize, std::max(kFirstBlockSize, blockSize_ * 2)));
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(blockSize_));
    blockUsed_ = 0;
  }
  char* stored = blocks_.back().get() + blockUsed_;
  if (!text.empty()) std::memcpy(stored, text.data(), text.size());
  blockUsed_ += text.size();
  return stored;
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
