#pragma once
// Reads the test server back through ODBC, the way plant IT would look at the table: every
// column as the server's text, NULL as nullopt. Throws on any failure, which fails the test.

#include <optional>
#include <string>
#include <vector>

namespace mensora::test {

using PlantRow = std::vector<std::optional<std::string>>;

std::vector<PlantRow> plantRows(const std::string& connection, const std::string& sql);
// Runs a statement that returns nothing (dropping the table between tests).
void plantExecute(const std::string& connection, const std::string& sql);

}  // namespace mensora::test
