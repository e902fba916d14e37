// The about box's own code: closing, and the web link with its hand cursor.
#include "app/About.h"

#include "components/edits/VtLabel.h"
#include "win/shell/Shell.h"

TAboutForm* AboutForm = nullptr;

const char* const MakerWebAddress = "http://www.fernhollow-software.example/";

TAboutForm::TAboutForm(TComponent* AOwner) : TForm(AOwner) { CreateDesign(); }

void TAboutForm::BitBtn4Click(TObject* Sender) { Close(); }

// The shell opens the address in the user's browser; its result is of no interest here.
void TAboutForm::VtLabel1Click(TObject* Sender) {
  WinExec((String("explorer ") + MakerWebAddress).c_str(), SW_HIDE);
}

void TAboutForm::VtLabel1MouseEnter(TObject* Sender) { Screen->SetCursor(crHandPoint); }

void TAboutForm::VtLabel1MouseLeave(TObject* Sender) { Screen->SetCursor(crDefault); }
