// Progress of a placing run on a status label; paints are let through a few times a second, the
// user's input waits until the run ends, so no command starts in the middle of a placement.
#include "app/forms/PlacementProgress.h"

#include "rtl/FloatFormat.h"
#include "ui/controls/StdCtrls.h"
#include "ui/forms/Forms.h"

namespace vt {

namespace {

constexpr std::chrono::milliseconds kShowEvery{100};

String Count(int count) { return FormatFloat(",0", count); }

}  // namespace

PlacementProgress::PlacementProgress(TLabel* status, int total)
    : status_(status), total_(total), shown_(std::chrono::steady_clock::now()) {}

PlacementProgress::~PlacementProgress() { status_->SetCaption(""); }

void PlacementProgress::Placed(int count) {
  placed_ += count;
  const auto now = std::chrono::steady_clock::now();
  if (now - shown_ < kShowEvery) return;
  shown_ = now;
  status_->SetCaption(Count(placed_) + " of " + Count(total_) + " placed");
  Application->ProcessPaintMessages();
}

void PlacementProgress::StoppedPartWay(const Exception& failure, const StoppedRun& run) const {
  throw Exception(run.made + Count(placed_) + " of " + Count(total_) + " " + run.placed + " before the run stopped; " +
                  run.kept + ", and running " + run.command + " again places the rest.\n\nWhat stopped it: " +
                  StringReplace(failure.Message(), "nothing was saved", "that " + run.step + " was not saved", {}));
}

}  // namespace vt
