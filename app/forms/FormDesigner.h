// Builds a form's stored design in code: components are created in stream order while the form
// is loading, placed on their parents with their design bounds, and finished with Loaded.
#pragma once

#include "rtl/Classes.h"
#include "ui/kernel/Controls.h"

namespace vt {

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

  // Every component has its properties: Loaded for each, then for the form.
  void Finish() {
    for (int i = 0; i < form_->ComponentCount(); ++i) form_->Components(i)->Loaded();
    form_->Loaded();
  }

private:
  TWinControl* form_;
};

}  // namespace vt
