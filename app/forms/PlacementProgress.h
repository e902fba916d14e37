// The progress of a long placing run (Process Rooms, Auto Create Teams): "N of M placed" on the
// page's status label, with the window kept painting while the run goes on, and what a run that
// a failure stopped part way says it did.
#pragma once

#include <chrono>

#include "rtl/Exceptions.h"
#include "rtl/StrUtils.h"

class TLabel;

namespace vt {

// How a run that a failure stopped part way tells what it did.
struct StoppedRun {
  String made;     // what else the run made, said before its count: "1 Team was made and ", or empty
  String placed;   // what the count went through: "were given a room"
  String kept;     // "they keep their rooms"
  String command;  // the command that places the rest: "Process Rooms"
  String step;     // the step that failed: "placement"
};

class PlacementProgress {
public:
  // total: the people the run may place. The status shows first after a tenth of a second.
  PlacementProgress(TLabel* status, int total);
  // The run is over: the status is cleared.
  ~PlacementProgress();
  PlacementProgress(const PlacementProgress&) = delete;
  PlacementProgress& operator=(const PlacementProgress&) = delete;

  // count more people placed (0 for a step that placed nobody); the status and the window are
  // brought up to date a few times a second.
  void Placed(int count);
  int PlacedSoFar() const { return placed_; }

  // The failure that stopped the run after it had made something, raised as one message: how
  // many of the total it placed and what else it made, that they are kept and that running the
  // command again places the rest, then the failure's reason, whose "nothing was saved" is said
  // of the one step that failed.
  [[noreturn]] void StoppedPartWay(const Exception& failure, const StoppedRun& run) const;

private:
  TLabel* status_;
  int total_;
  int placed_ = 0;
  std::chrono::steady_clock::time_point shown_;
};

}  // namespace vt
