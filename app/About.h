// The about box, which is also the splash screen of start-up: the product's name and version,
// the maker's notice and web link, a banner and a mosaic of 16 small pictures, a progress line.
#pragma once

#include "ui/forms/Forms.h"

class TButton;
class TImage;
class TLabel;
class TVtLabel;

class TAboutForm : public TForm {
public:
  explicit TAboutForm(TComponent* AOwner);

  TImage* Image1;
  TImage* Images[16];  // Image2 .. Image17, the 4 x 4 mosaic row by row
  TLabel* Label6;
  TLabel* Label9;
  TLabel* Label7;  // the progress line of the splash
  TLabel* Label1;
  TLabel* Label2;
  TLabel* Label3;
  TLabel* Label4;
  TLabel* Label5;
  TVtLabel* VtLabel1;
  TButton* BitBtn4;

  void BitBtn4Click(TObject* Sender);
  void VtLabel1Click(TObject* Sender);
  void VtLabel1MouseEnter(TObject* Sender);
  void VtLabel1MouseLeave(TObject* Sender);

private:
  void CreateDesign();
};

extern TAboutForm* AboutForm;

// The maker's web address behind the link label.
extern const char* const MakerWebAddress;
