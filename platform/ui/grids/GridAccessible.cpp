// The grid's accessible table and its cells. Cells are made on first request and kept by the
// table until it goes, so a 20,000-row grid costs only the cells a reader actually visits.
#include "ui/grids/GridAccessible.h"

#include "ui/grids/Grids.h"
#include "ui/kernel/Controls_p.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QAccessibleWidget>
#include <QWidget>

#include <map>
#include <mutex>
#include <utility>

namespace vt {

namespace {

class GridTable;

class GridCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    GridCell(GridTable* table, int row, int col) : FTable(table), FRow(row), FCol(col) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
    }

    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return FCol; }
    int rowIndex() const override { return FRow; }
    bool isSelected() const override;
    QAccessibleInterface* table() const override;

private:
    GridTable* FTable;
    int FRow;
    int FCol;
};

class GridTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit GridTable(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Table) {}
    ~GridTable() override {
        for (auto& [key, id] : FCells) QAccessible::deleteAccessibleInterface(id);
    }

    TCustomGrid* Grid() const { return dynamic_cast<TCustomGrid*>(FindControl(widget())); }
    QPoint Origin() const { return widget()->mapToGlobal(QPoint(0, 0)); }
    bool isValid() const override { return QAccessibleWidget::isValid() && Grid() != nullptr; }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    int childCount() const override { return rowCount() * columnCount(); }
    QAccessibleInterface* child(int index) const override {
        const int cols = columnCount();
        return cols > 0 && index >= 0 && index < childCount() ? cellAt(index / cols, index % cols) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
        return cell ? cell->rowIndex() * columnCount() + cell->columnIndex() : -1;
    }

    // The current cell, where a reader's focus is inside the grid.
    QAccessibleInterface* focusChild() const override {
        TCustomGrid* grid = Grid();
        return grid ? cellAt(grid->Row() - grid->FixedRows(), grid->Col() - grid->FixedCols()) : nullptr;
    }

    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
        auto it = FCells.find({row, column});
        if (it == FCells.end()) {
            auto* cell = new GridCell(const_cast<GridTable*>(this), row, column);
            it = FCells.emplace(std::make_pair(row, column), QAccessible::registerAccessibleInterface(cell)).first;
        }
        return QAccessible::accessibleInterface(it->second);
    }
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QString columnDescription(int column) const override { return ToQString(Grid()->AccessibleColumnTitle(column)); }
    QString rowDescription(int) const override { return QString(); }
    int columnCount() const override { return Grid() ? Grid()->AccessibleColCount() : 0; }
    int rowCount() const override { return Grid() ? Grid()->AccessibleRowCount() : 0; }

    QList<int> selectedRows() const override {
        QList<int> rows;
        for (int r = 0; r < rowCount(); ++r)
            if (Grid()->AccessibleRowSelected(r)) rows << r;
        return rows;
    }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    bool isRowSelected(int row) const override { return Grid()->AccessibleRowSelected(row); }
    int selectedCellCount() const override { return selectedRowCount() * columnCount(); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (int row : selectedRows())
            for (int c = 0; c < columnCount(); ++c) cells << cellAt(row, c);
        return cells;
    }
    // The grids select whole rows or ranges of cells, never columns on their own.
    int selectedColumnCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::map<std::pair<int, int>, QAccessible::Id> FCells;
};

bool GridCell::isValid() const { return FTable->isValid(); }
QAccessibleInterface* GridCell::parent() const { return FTable; }
QAccessibleInterface* GridCell::table() const { return FTable; }

QString GridCell::text(QAccessible::Text t) const {
    if (t != QAccessible::Name && t != QAccessible::Value) return QString();
    return ToQString(FTable->Grid()->AccessibleCellText(FCol, FRow));
}

QRect GridCell::rect() const {
    const TRect r = FTable->Grid()->AccessibleCellRect(FCol, FRow);
    if (r.Right <= r.Left) return QRect();
    const QPoint origin = FTable->Origin();
    return QRect(origin.x() + r.Left, origin.y() + r.Top, r.Width(), r.Bottom - r.Top);
}

QAccessible::State GridCell::state() const {
    QAccessible::State s;
    s.selectable = true;
    s.selected = isSelected();
    s.invisible = rect().isEmpty();
    return s;
}

bool GridCell::isSelected() const { return FTable->Grid()->AccessibleRowSelected(FRow); }

QAccessibleInterface* GridFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !dynamic_cast<TCustomGrid*>(FindControl(widget))) return nullptr;
    return new GridTable(widget);
}

}  // namespace

void CurrentCellMoved(TCustomGrid* grid) {
    if (!QAccessible::isActive() || !grid->Focused()) return;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid->Widget());
    QAccessibleInterface* cell = table ? table->focusChild() : nullptr;
    if (!cell) return;
    QAccessibleEvent event(cell, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void InstallGridAccessibility() {
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(GridFactory); });
}

}  // namespace vt
