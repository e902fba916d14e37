// Filling a list box with 10,000 items added one by one: the library's owner-drawn list box with
// its horizontal scroll range against the platform's list box; prints both, the ratio and the
// goal (at most twice the platform's time).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "components/lists/VtListBox.h"
#include "ratio_reporter.h"
#include "rtl/StrUtils.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

namespace {

// Items of many widths, as names in a camp list are.
String ItemText(int i) { return "Attendee " + IntToStr(i) + StringOfChar('w', i % 37); }

template <class ListBox>
void Fill(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* box = new ListBox(&form);
    box->SetParent(&form);
    box->SetBounds(0, 0, 300, 250);
    form.Show();
    for (int i = 0; i < count; ++i) box->Items()->Add(ItemText(i));
    vt::ProcessEventsUntilIdle();
    benchmark::DoNotOptimize(box->Items()->Count());
  }
}

void BM_PlatformListBox(benchmark::State& state) { Fill<TListBox>(state); }
void BM_VtListBox(benchmark::State& state) { Fill<TVtCustomListBox>(state); }

BENCHMARK(BM_PlatformListBox)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_VtListBox)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  vt::EnsureTestApplication();
  benchmark::Initialize(&argc, argv);
  vt::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double platform = reporter.times["BM_PlatformListBox/10000/iterations:3"];
  const double library = reporter.times["BM_VtListBox/10000/iterations:3"];
  if (platform > 0 && library > 0)
    std::printf("BM_VtListBox/10000 = %.3f s (goal: at most 2 times the platform list box, %.3f s); "
                "BM_VtListBox / BM_PlatformListBox = %.2f (goal: at most 2.00)\n",
                library / 1000, platform / 1000, library / platform);
  benchmark::Shutdown();
  return 0;
}
