#pragma once
// Reads the test server back through ODBC, the way plant IT would look at the table: every
// column as the server's text, NULL as nullopt. Throws on any failure, which fails the test.

#include <optional>
#include <string>
#include <vector>

namespace mensora::test {

using PlantRow = std::vector<std::optional<std::string>>;

std::vector<PlantRow> plantRows(const std::string& connection, const std::string& sql);
// The rows of mensora_record that meet `condition`; 0 while the table is not made yet or the
// server is away.
long long plantRowCount(const std::string& connection, const std::string& condition);

}  // namespace mensora::test
