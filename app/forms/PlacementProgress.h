// The progress of a long placing run (Process Rooms, Auto Create Teams): "N of M placed" on the
// page's status label, with the window kept painting while the run goes on.
#pragma once

#include <chrono>

class TLabel;

namespace vt {

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

private:
  TLabel* status_;
  int total_;
  int placed_ = 0;
  std::chrono::steady_clock::time_point shown_;
};

}  // namespace vt
