// Internal to the data layer: the compact store a dataset fetches its rows into once. Every
// row is a fixed run of 16-byte cells; rows live in chunks and texts in blocks that never
// move once allocated, so a growing store copies no rows and no texts it already holds.
#pragma once

#include <cstdint>
#include <memory>
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
    const char* text;  // in one of the store's text blocks
  };
};

class RowSet {
 public:
  void Reset(int columnCount);
  int ColumnCount() const { return columns_; }
  int SlotCount() const { return int(keys_.size()); }

  int AddSlot(std::int64_t key);  // a row of null cells; returns its slot
  std::int64_t Key(int slot) const { return keys_[slot]; }
  void SetKey(int slot, std::int64_t key) { keys_[slot] = key; }

  const Cell& At(int slot, int column) const {
    return chunks_[slot >> kChunkShift][size_t(slot & kChunkMask) * columns_ + column];
  }
  static std::string_view Text(const Cell& cell) { return {cell.text, cell.length}; }

  void SetNull(int slot, int column) { Mutable(slot, column) = Cell{}; }
  void SetInteger(int slot, int column, std::int64_t value) { SetInteger(Mutable(slot, column), value); }
  void SetFloat(int slot, int column, double value) { SetFloat(Mutable(slot, column), value); }
  void SetText(int slot, int column, std::string_view text) { SetText(Mutable(slot, column), text); }
  // The same on a cell of MutableRow: a fetch finds each row once, not each of its cells.
  Cell* MutableRow(int slot) { return &chunks_[slot >> kChunkShift][size_t(slot & kChunkMask) * columns_]; }
  static void SetInteger(Cell& cell, std::int64_t value);
  static void SetFloat(Cell& cell, double value);
  void SetText(Cell& cell, std::string_view text);
  // Copies one cell from another store (texts are copied into this store's blocks).
  void CopyCell(int slot, int column, const RowSet& from, int fromSlot, int fromColumn);
  void CopyRow(int slot, const RowSet& from, int fromSlot);
  // The rows in a new order: the row of slots[i] comes to slot i (slots holds every slot once).
  void Reorder(const std::vector<int>& slots);
  // Puts back a cell read earlier from this same store (its text is still in its block).
  void Restore(int slot, int column, const Cell& cell) { Mutable(slot, column) = cell; }

 private:
  static constexpr int kChunkShift = 8;  // 256 rows a chunk
  static constexpr int kChunkRows = 1 << kChunkShift;
  static constexpr int kChunkMask = kChunkRows - 1;

  Cell& Mutable(int slot, int column) { return MutableRow(slot)[column]; }
  const char* StoreText(std::string_view text);

  int columns_ = 0;
  std::vector<std::vector<Cell>> chunks_;
  std::vector<std::int64_t> keys_;
  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t blockSize_ = 0;  // of the last block
  size_t blockUsed_ = 0;  // bytes taken from its start
};

}  // namespace vt
