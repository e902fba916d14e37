// A form over the fixture database's People table for tests of data-aware controls: the query
// with its data source, an empty form, and the locale put back after each test.
#pragma once

#include "db/DataSource.h"
#include "rtl/Locale.h"
#include "tests/platform/db/DbFixture.h"
#include "ui/forms/Forms.h"
#include "ui/testing/UiTesting.h"

class PeopleFormFixture : public DbFixture {
protected:
    // The query (one SQL line, not yet open) and its data source, and a form of the given size.
    void SetUpPeopleForm(const char* sql, int width, int height)
    {
        DbFixture::SetUp();
        vt::EnsureTestApplication();
        savedLocale = Locale();
        people = Query({sql});
        source = new TDataSource(owner_);
        source->SetDataSet(people);
        form = new TForm(nullptr);
        form->SetBounds(0, 0, width, height);
    }
    void TearDown() override
    {
        delete form;
        Locale() = savedLocale;
        DbFixture::TearDown();
    }

    FormatSettings savedLocale;
    TADOQuery* people = nullptr;
    TDataSource* source = nullptr;
    TForm* form = nullptr;
};
