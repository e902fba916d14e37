// Internal to the data layer: the compact store a dataset fetches its rows into once. Every
// row is a fixed run of 16-byte cells; texts live in one shared arena, so a fetch does no
// conversion and no allocation per row beyond the amortised growth of two vectors.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

enum class CellType : std::uint8_t { Null, Integer, Float, Text };

struct Cell {
  CellType type = CellType::Null;
  std::uint32_t length = 0;  // text length in bytes
  union {
    std::int64_t integer = 0;
    double real;
    std::uint64_t offset;  // of the text in the arena
  };
};

class RowSet {
 public:
  void Reset(int columnCount);
  void Reserve(size_t rows);
  int ColumnCount() const { return columns_; }
  int SlotCount() const { return int(keys_.size()); }

  int AddSlot(std::int64_t key);  // a row of null cells; returns its slot
  std::int64_t Key(int slot) const { return keys_[slot]; }
  void SetKey(int slot, std::int64_t key) { keys_[slot] = key; }

  const Cell& At(int slot, int column) const { return cells_[size_t(slot) * columns_ + column]; }
  std::string_view Text(const Cell& cell) const { return {arena_.data() + cell.offset, cell.length}; }

  void SetNull(int slot, int column) { Mutable(slot, column) = Cell{}; }
  void SetInteger(int slot, int column, std::int64_t value);
  void SetFloat(int slot, int column, double value);
  void SetText(int slot, int column, std::string_view text);
  // Copies one cell from another store (texts are copied into this arena).
  void CopyCell(int slot, int column, const RowSet& from, int fromSlot, int fromColumn);
  void CopyRow(int slot, const RowSet& from, int fromSlot);
  // Puts back a cell read earlier from this same store (its text is still in the arena).
  void Restore(int slot, int column, const Cell& cell) { Mutable(slot, column) = cell; }

 private:
  Cell& Mutable(int slot, int column) { return cells_[size_t(slot) * columns_ + column]; }

  int columns_ = 0;
  std::vector<Cell> cells_;
  std::vector<std::int64_t> keys_;
  std::string arena_;
};

}  // namespace vt
