// The shared editor frame: dialog properties, the Done button and the add/edit flag.
#include "app/forms/EditorFrame.h"

#include "app/forms/FormDesigner.h"
#include "db/DataSet.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

namespace vt {

EditorFrame DesignEditorFrame(FormDesigner& d, TForm* form, const String& caption,
                              const char* doneName, bool withFlag) {
  form->SetBorderStyle(bsDialog);
  form->SetBorderIcons({});
  form->SetKeyPreview(false);
  form->Font()->SetName("MS Sans Serif");
  form->SetCaption(caption);
  form->SetClientWidth(320);
  form->SetClientHeight(120);

  EditorFrame frame;
  if (withFlag) {
    frame.AddEditFlag = d.Make<TCheckBox>("CheckBox1", form, 16, 16, 97, 17);
    frame.AddEditFlag->SetCaption("CheckBox1");
    frame.AddEditFlag->SetVisible(false);
  }
  frame.Done = d.Make<TButton>(doneName, form, 120, 72, 80, 25);
  frame.Done->SetCaption("Done");
  return frame;
}

void CloseEditor(TForm* form, TDataSet* master) {
  if (master && (master->State() == dsEdit || master->State() == dsInsert)) master->Cancel();
  form->Close();
}

}  // namespace vt
