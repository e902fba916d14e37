// Painting the main window's attendee grid (six columns over all 20,000 attendees) at the top
// and at the bottom of the list, and moving the cursor with the grid following it, against the
// same grid over the 200 sessions: a grid that paints only its visible rows costs the same.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "camp_generator.h"
#include "db/ADODB.h"
#include "ui/forms/Forms.h"
#include "ui/grids/DBGrids.h"
#include "ui/testing/UiTesting.h"

namespace {

std::string campPath;

// A shown form with a grid over one open query; the query's columns become the grid's.
class GridOver {
public:
    GridOver(const char* sql, std::initializer_list<const char*> fieldNames) : owner_(nullptr) {
        vt::EnsureTestApplication();
        auto* connection = new TADOConnection(&owner_);
        connection->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + campPath + ";");
        query_ = new TADOQuery(&owner_);
        query_->SetConnection(connection);
        query_->SQL()->Add(sql);
        auto* source = new TDataSource(&owner_);
        source->SetDataSet(query_);
        form_ = std::make_unique<TForm>(nullptr);
        form_->SetBounds(0, 0, 900, 600);
        grid_ = new TDBGrid(form_.get());
        grid_->SetParent(form_.get());
        grid_->SetAlign(alClient);
        grid_->SetOptions(grid_->Options() << dgRowSelect << dgAlwaysShowSelection);
        for (const char* name : fieldNames) grid_->Columns()->Add()->SetFieldName(name);
        grid_->SetDataSource(source);
        query_->Open();
        form_->Show();
        vt::ProcessEventsUntilIdle();
    }

    TADOQuery* Query() const { return query_; }
    TDBGrid* Grid() const { return grid_; }

private:
    TComponent owner_;
    TADOQuery* query_;
    std::unique_ptr<TForm> form_;
    TDBGrid* grid_;
};

// Made in main once the camp exists, freed before the program ends.
GridOver* attendees = nullptr;
GridOver* sessions = nullptr;

void Paint(benchmark::State& state, GridOver& over, bool atEnd) {
    if (atEnd) over.Query()->Last();
    else over.Query()->First();
    for (auto _ : state) over.Grid()->Repaint();
}

void BM_PaintAttendeesTop(benchmark::State& state) { Paint(state, *attendees, false); }
void BM_PaintAttendeesBottom(benchmark::State& state) { Paint(state, *attendees, true); }
void BM_PaintSessionsTop(benchmark::State& state) { Paint(state, *sessions, false); }

// One record down (wrapping at the end): the grid follows the cursor and repaints.
void BM_NextAttendeeAndPaint(benchmark::State& state) {
    GridOver& over = *attendees;
    over.Query()->First();
    for (auto _ : state) {
        over.Query()->Next();
        if (over.Query()->Eof()) over.Query()->First();
        over.Grid()->Repaint();
    }
}

BENCHMARK(BM_PaintAttendeesTop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintAttendeesBottom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintSessionsTop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextAttendeeAndPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    campPath = vt::GenerateTemporaryCamp();

    attendees = new GridOver("Select * From Attendees ORDER BY LastName, FirstName",
                             {"LastName", "FirstName", "DOB", "Grade", "EmergencyContact", "EmergencyPhone"});
    sessions = new GridOver("Select * From Sessions ORDER BY SessionID",
                            {"SessionID", "BeginDate", "BeginTime", "Location", "EndDate", "EndTime"});

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete sessions;
    delete attendees;
    std::remove(campPath.c_str());
    return 0;
}
