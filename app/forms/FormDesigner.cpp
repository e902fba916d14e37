// The helpers of the form designer for the shapes that recur on the forms.
#include "app/forms/FormDesigner.h"

#include <algorithm>
#include <cstring>

#include "ui/controls/ComCtrls.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/grids/DBGrids.h"

namespace vt {

TTabSheet* FormDesigner::Sheet(const char* name, TPageControl* pages, const char* caption) {
  auto* sheet = Make<TTabSheet>(name);
  sheet->SetPageControl(pages);
  sheet->SetCaption(caption);
  return sheet;
}

TPageControl* FormDesigner::Pages(const char* name, TWinControl* parent, TAlign align, int extent) {
  return Make<TPageControl>(name, parent, align, extent);
}

TPanel* FormDesigner::Bar(const char* name, TWinControl* parent, int height) {
  auto* panel = Make<TPanel>(name, parent, alTop, height);
  panel->SetBevelOuter(bvNone);
  panel->SetCaption("");
  return panel;
}

TLabel* FormDesigner::Label(const char* name, TWinControl* parent, int left, int top, const char* caption) {
  auto* label = Make<TLabel>(name, parent, left, top, 7 * static_cast<int>(strlen(caption)), 13);
  label->SetCaption(caption);
  return label;
}

TComboBox* FormDesigner::Combo(const char* name, TWinControl* parent, int left, int top, int width,
                               std::initializer_list<const char*> items, int itemIndex,
                               TComboBoxStyle style) {
  auto* combo = Make<TComboBox>(name, parent, left, top, width, 21);
  combo->SetStyle(style);
  combo->Items()->BeginUpdate();  // the list is handed to the widget once, not once per item
  for (const char* item : items) combo->Items()->Add(item);
  combo->Items()->EndUpdate();
  combo->SetItemIndex(itemIndex);
  return combo;
}

TDBGrid* FormDesigner::Grid(const char* name, TWinControl* parent, TAlign align, int extent,
                            std::initializer_list<ColumnDesign> columns) {
  auto* grid = Make<TDBGrid>(name, parent, align, extent);
  grid->SetOptions({dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs,
                    dgRowSelect, dgAlwaysShowSelection, dgConfirmDelete, dgCancelOnExit});
  grid->SetReadOnly(true);
  for (const ColumnDesign& design : columns) {
    TColumn* column = grid->Columns()->Add();
    column->SetFieldName(design.field);
    column->Title()->SetCaption(design.title);
    const String shown = *design.title ? design.title : design.field;
    column->SetWidth(std::max(64, 7 * static_cast<int>(shown.size()) + 20));
  }
  return grid;
}

}  // namespace vt
