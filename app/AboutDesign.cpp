// The stored design of the about box: a borderless white window of 516 x 330 with the banner,
// the 16 tiles (our own GIF pictures), the labels and the Done button.
#include <cstring>

#include "app/About.h"
#include "app/forms/FormDesigner.h"
#include "components/graphics/VtGIF.h"
#include "components/edits/VtLabel.h"
#include "rtl/Streams.h"
#include "ui/controls/ExtCtrls.h"
#include "ui/controls/StdCtrls.h"
#include "ui/graphics/Resources.h"

namespace vt {
// Registers the banner bitmap and the GIF tiles of resources/about, compiled in by the build.
void RegisterAboutArt();
} // namespace vt

namespace {

TImage* Picture(vt::FormDesigner& d, const char* name, TWinControl* parent, int left, int top, int width,
                int height) {
  auto* image = d.Make<TImage>(name, parent, left, top, width, height);
  image->SetStretch(true);
  return image;
}

TImage* BitmapPicture(vt::FormDesigner& d, const char* name, TWinControl* parent, int left, int top, int width,
                      int height, const String& resource) {
  TImage* image = Picture(d, name, parent, left, top, width, height);
  image->Picture()->Bitmap()->LoadFromResourceName(HInstance, resource);
  return image;
}

// A picture held in the stored design as a GIF image: the class name, then the GIF data.
TImage* GIFPicture(vt::FormDesigner& d, const char* name, TWinControl* parent, int left, int top, int width,
                   int height, const String& resource) {
  TImage* image = Picture(d, name, parent, left, top, width, height);
  const std::vector<std::uint8_t>& gif = vt::ResourceBytes(resource, RT_RCDATA);
  const String className = "TGIFImage";
  TMemoryStream stored;
  const auto length = static_cast<std::uint8_t>(className.size());
  stored.WriteBuffer(&length, 1);
  stored.WriteBuffer(className.data(), length);
  stored.WriteBuffer(gif.data(), std::int64_t(gif.size()));
  stored.SetPosition(0);
  image->Picture()->ReadData(&stored);
  return image;
}

template <class Label = TLabel>
Label* LabelAt(vt::FormDesigner& d, const char* name, TWinControl* parent, int left, int top,
               const char* caption) {
  auto* label = d.Make<Label>(name, parent, left, top, 7 * static_cast<int>(strlen(caption)), 13);
  label->SetCaption(caption);
  return label;
}

TLabel* Title(vt::FormDesigner& d, const char* name, int left, int top, const char* caption) {
  TLabel* label = LabelAt(d, name, d.Form(), left, top, caption);
  label->Font()->SetName("Arial Black");
  label->Font()->SetSize(21);
  label->Font()->SetStyle({fsItalic});
  label->SetBounds(left, top, 360, 40);
  return label;
}

}  // namespace

void TAboutForm::CreateDesign() {
  vt::RegisterAboutArt();
  vt::FormDesigner d(this);
  SetName("AboutForm");
  SetBorderStyle(bsNone);
  SetBorderIcons({});
  SetColor(clWhite);
  SetClientWidth(516);
  SetClientHeight(330);

  Image1 = BitmapPicture(d, "Image1", this, 240, 0, 281, 129, "ABOUTBANNER");
  const char* const tileNames[16] = {"Image2",  "Image3",  "Image4",  "Image5",  "Image6",  "Image7",
                                     "Image8",  "Image9",  "Image10", "Image11", "Image12", "Image13",
                                     "Image14", "Image15", "Image16", "Image17"};
  for (int i = 0; i < 16; ++i)
    Images[i] = GIFPicture(d, tileNames[i], this, (i % 4) * 32, (i / 4) * 32, 32, 32,
                           "ABOUTTILE" + IntToStr(i + 1));

  Label6 = Title(d, "Label6", 136, 148, "Fernhollow");
  Label9 = Title(d, "Label9", 136, 188, "Version 1.2");
  Label7 = LabelAt(d, "Label7", this, 0, 144, "Loading......");
  Label7->Font()->SetHeight(-13);
  Label1 = LabelAt(d, "Label1", this, 16, 236, "Camp tracking for sports camps. All rights reserved.");
  Label2 = LabelAt(d, "Label2", this, 16, 252, "Fernhollow Software, 12 Larch Lane");
  Label3 = LabelAt(d, "Label3", this, 16, 268, "Brookfield, ST 00000");
  Label4 = LabelAt(d, "Label4", this, 16, 284, "Telephone (555) 010-2030");
  Label5 = LabelAt(d, "Label5", this, 16, 300, "Fax (555) 010-2031");
  VtLabel1 = LabelAt<TVtLabel>(d, "VtLabel1", this, 270, 252, MakerWebAddress);
  VtLabel1->Font()->SetColor(clBlue);
  VtLabel1->Font()->SetStyle({fsUnderline});
  BitBtn4 = d.Make<TButton>("BitBtn4", this, 420, 292, 80, 25);
  BitBtn4->SetCaption("Done");

  BitBtn4->OnClick = [this](TObject* s) { BitBtn4Click(s); };
  VtLabel1->OnClick = [this](TObject* s) { VtLabel1Click(s); };
  VtLabel1->OnMouseEnter = [this](TObject* s) { VtLabel1MouseEnter(s); };
  VtLabel1->OnMouseLeave = [this](TObject* s) { VtLabel1MouseLeave(s); };
  d.Finish();
}
