// The complete attendee list ("Attendees") on the generated camp of 20,000 attendees: the first
// page of its print preview shown, and the whole report rendered into a PDF file, against reading
// the report's rows with plain SQLite; prints the figures and the goals.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <QPixmap>

#include "camp_generator.h"
#include "ratio_reporter.h"
#include "reports/ReportHost.h"
#include "reports/ReportPreview.h"
#include "ui/testing/UiTesting.h"

namespace {

std::string campPath;
std::string pdfPath;

void BM_PlainSqlite(benchmark::State& state) {
  for (auto _ : state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(campPath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT CamperID, LastName, FirstName, MiddleInitial, Address, City, State, ZipCode, "
                       "Phone, DOB FROM Attendees ORDER BY LastName, FirstName, CamperID",
                       -1, &statement, nullptr);
    size_t sum = 0;
    while (sqlite3_step(statement) == SQLITE_ROW)
      for (int i = 0; i < 10; ++i) sum += size_t(sqlite3_column_bytes(statement, i));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    benchmark::DoNotOptimize(sum);
  }
}

// From the request to the preview window painted with its first page.
void BM_PreviewFirstPage(benchmark::State& state) {
  for (auto _ : state) {
    vt::ReportPreview* preview = vt::PreviewReport(campPath, "Attendees", "");
    benchmark::DoNotOptimize(preview->grab());
    state.PauseTiming();
    vt::CloseReportPreviews();
    state.ResumeTiming();
  }
}

void BM_WholePdf(benchmark::State& state) {
  for (auto _ : state) vt::SaveReportAsPdf(campPath, "Attendees", "", pdfPath);
}

BENCHMARK(BM_PlainSqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholePdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  vt::EnsureTestApplication();
  campPath = vt::GenerateTemporaryCamp();
  pdfPath = campPath + ".pdf";
  benchmark::Initialize(&argc, argv);
  vt::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double plain = reporter.times["BM_PlainSqlite"];
  const double first = reporter.times["BM_PreviewFirstPage"];
  const double whole = reporter.times["BM_WholePdf"];
  if (plain > 0 && first > 0 && whole > 0) {
    std::printf("BM_PreviewFirstPage = %.3f s (goal: under 1 s); %.1f x BM_PlainSqlite\n", first / 1000,
                first / plain);
    std::printf("BM_WholePdf = %.2f s (goal: under 10 s); %.1f x BM_PlainSqlite\n", whole / 1000, whole / plain);
  }
  benchmark::Shutdown();
  std::remove(pdfPath.c_str());
  std::remove(campPath.c_str());
  return 0;
}
