// A second running copy for the previous-instance tests: shows its main form "Peer camp"
// minimised, says "minimised" on its output, then "restored" once another program restores
// the form, and ends (or ends after 20 seconds).
#include "ui/controls/ExtCtrls.h"
#include "ui/forms/Forms.h"
#include "ui/kernel/WinApi.h"

#include <cstdio>

class TPeerMainForm : public TForm {
public:
  explicit TPeerMainForm(TComponent* AOwner) : TForm(AOwner)
  {
    SetCaption("Peer camp");
    SetWindowState(wsMinimized);
    auto* timer = new TTimer(this);
    timer->SetInterval(20);
    timer->OnTimer = [this](TObject*) { Watch(); };
  }

private:
  void Watch()
  {
    const bool minimised = IsIconic(Widget());
    if (minimised != reported_) {
      std::puts(minimised ? "minimised" : "restored");
      std::fflush(stdout);
      reported_ = minimised;
      if (!minimised)
        Application->Terminate();
    }
    if (++ticks_ > 1000)
      Application->Terminate();
  }
  bool reported_ = false;
  int ticks_ = 0;
};

int main()
{
  Application->Initialize();
  TPeerMainForm* form = nullptr;
  Application->CreateForm(form);
  Application->Run();
  vt::DoneApplication();
  return 0;
}
