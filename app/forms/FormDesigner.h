// Builds a form's stored design in code: components are created in stream order while the form
// is loading, placed on their parents with their design bounds, and finished with Loaded. The
// shapes that recur on the forms (pages, labels, buttons, lists, grids) have a helper each.
#pragma once

#include <initializer_list>

#include "rtl/Classes.h"
#include "ui/controls/StdCtrls.h"
#include "ui/kernel/Controls.h"

class TBitBtn;
class TDBGrid;
class TPageControl;
class TPanel;
class TTabSheet;

namespace vt {

// A grid column: the field and, where it differs from the field name, its title.
struct ColumnDesign {
  const char* field;
  const char* title = "";
};

class FormDesigner {
public:
  explicit FormDesigner(TWinControl* form) : form_(form) { form->SetComponentStateFlag(csLoading, true); }

  // A component without a place on the screen (actions, lists).
  template <class T>
  T* Make(const char* name) {
    T* component = new T(form_);
    component->SetComponentStateFlag(csLoading, true);
    component->SetName(name);
    return component;
  }

  template <class T>
  T* Make(const char* name, TWinControl* parent, int left, int top, int width, int height) {
    T* control = Make<T>(name);
    control->SetParent(parent);
    control->SetBounds(left, top, width, height);
    return control;
  }

  template <class T>
  T* Make(const char* name, TWinControl* parent, TAlign align, int extent = 0) {
    T* control = Make<T>(name);
    control->SetParent(parent);
    if (extent > 0) {
      if (align == alTop || align == alBottom) control->SetHeight(extent);
      else control->SetWidth(extent);
    }
    control->SetAlign(align);
    return control;
  }

  TWinControl* Form() const { return form_; }

  TTabSheet* Sheet(const char* name, TPageControl* pages, const char* caption);
  TPageControl* Pages(const char* name, TWinControl* parent, TAlign align, int extent = 0);
  // A borderless panel along the top of its parent.
  TPanel* Bar(const char* name, TWinControl* parent, int height);
  TLabel* Label(const char* name, TWinControl* parent, int left, int top, const char* caption);
  TComboBox* Combo(const char* name, TWinControl* parent, int left, int top, int width,
                   std::initializer_list<const char*> items, int itemIndex = -1,
                   TComboBoxStyle style = csDropDownList);
  // Whole rows selected, selection kept visible, columns sized by the user, no editing in place.
  TDBGrid* Grid(const char* name, TWinControl* parent, TAlign align, int extent,
                std::initializer_list<ColumnDesign> columns);

  // A button of the standard height (the caller includes the button's header).
  template <class Button = TBitBtn>
  Button* Push(const char* name, TWinControl* parent, int left, int top, int width, const char* caption) {
    auto* button = Make<Button>(name, parent, left, top, width, 25);
    button->SetCaption(caption);
    return button;
  }

  // Every component has its properties: Loaded for each, then for the form.
  void Finish() {
    for (int i = 0; i < form_->ComponentCount(); ++i) form_->Components(i)->Loaded();
    form_->Loaded();
  }

private:
  TWinControl* form_;
};

}  // namespace vt
