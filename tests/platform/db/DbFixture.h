// A small database made in a temporary file for each test, opened on a connection.
#pragma once

#include <gtest/gtest.h>

#include "db/ADODB.h"
#include "db/Connection.h"

class DbFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // A query over the fixture's connection with one SQL line per argument.
  TADOQuery* Query(std::initializer_list<const char*> lines, TCursorType cursor = ctStatic);
  TADOTable* Table(const char* tableName);
  // The first column of the first row of a statement run straight on the file.
  Variant Scalar(const String& sql);

  String path_;
  TComponent* owner_ = nullptr;
  TADOConnection* connection_ = nullptr;
};
