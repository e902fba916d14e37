// What a person reads on the program's windows at the desktop's default font: every button's
// caption fits inside its button with a margin, and every tab of a page control shows without
// scrolling the tabs.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "tests/app/EditorTesting.h"
#include "ui/controls/Buttons.h"
#include "ui/controls/ComCtrls.h"
#include "ui/controls/StdCtrls.h"

namespace vt::test {
namespace {

constexpr int kMargin = 6;  // free space on each side of a caption, inside the button's frame

String Where(const TControl* control) {
  return (control->Owner() ? control->Owner()->Name() + "." : String()) + control->Name();
}

// Every component of every form, each page's and panel's controls included.
template <class Visit>
void ForEachComponent(Visit visit) {
  for (int f = 0; f < Screen->FormCount(); ++f) {
    TCustomForm* form = Screen->Forms(f);
    for (int i = 0; i < form->ComponentCount(); ++i) visit(form->Components(i));
  }
}

int CaptionRoom(const QPushButton* button) {
  const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
  return button->width() - icon - 2 * kMargin;
}

class FormLayout : public StartedCamp {};

TEST_F(FormLayout, EveryButtonCaptionFitsWithAMarginAndEveryTabShows) {
  camp.AddSession("Week 1", EncodeDate(2030, 6, 2), EncodeDate(2030, 6, 7));
  Start();
  int buttons = 0;
  ForEachComponent([&](TComponent* component) {
    if (auto* button = dynamic_cast<TButton*>(component)) {
      const auto* widget = static_cast<const QPushButton*>(button->Widget());
      const int needed = QFontMetrics(widget->font()).horizontalAdvance(widget->text());
      EXPECT_LE(needed, CaptionRoom(widget)) << Where(button) << " \"" << button->Caption() << "\" is "
                                             << button->Width() << " wide";
      ++buttons;
    } else if (auto* pages = dynamic_cast<TPageControl*>(component)) {
      const auto* tabs = static_cast<const QTabWidget*>(pages->Widget());
      EXPECT_LE(tabs->tabBar()->sizeHint().width(), pages->Width()) << Where(pages) << " hides tabs";
    }
  });
  EXPECT_GT(buttons, 0) << "the walk found the buttons";
}

}  // namespace
}  // namespace vt::test
