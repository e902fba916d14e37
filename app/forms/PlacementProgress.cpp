// Progress of a placing run on a status label; paints are let through a few times a second, the
// user's input waits until the run ends, so no command starts in the middle of a placement.
#include "app/forms/PlacementProgress.h"

#include "rtl/FloatFormat.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

namespace vt {

namespace {

constexpr std::chrono::milliseconds kShowEvery{100};

}  // namespace

PlacementProgress::PlacementProgress(TLabel* status, int total)
    : status_(status), total_(total), shown_(std::chrono::steady_clock::now()) {}

PlacementProgress::~PlacementProgress() { status_->SetCaption(""); }

void PlacementProgress::Placed(int count) {
  placed_ += count;
  const auto now = std::chrono::steady_clock::now();
  if (now - shown_ < kShowEvery) return;
  shown_ = now;
  status_->SetCaption(FormatFloat(",0", placed_) + " of " + FormatFloat(",0", total_) + " placed");
  Application->ProcessPaintMessages();
}

}  // namespace vt
