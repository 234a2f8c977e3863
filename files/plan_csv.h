#pragma once
// Inspection plans as engineers keep them in a spreadsheet: a CSV of one header row, then one
// row per characteristic in measuring order. Columns are found by their header, in any order,
// in English or Chinese; the separator is a comma, a semicolon or a tab, and where it is not a
// comma a decimal comma is read too (Excel under a German locale writes "12,5;0,02"). The file
// may be UTF-8, with or without its byte-order mark, or GBK (Excel's plain "CSV" on a Chinese
// Windows).

#include <array>
#include <string>
#include <string_view>
#include <variant>

#include "base/language.h"
#include "base/texts.h"
#include "measure/inspection_plan.h"

namespace mensora {

// Why a file was not taken, naming the line: "Line 4: the nominal "12.5x" is not a number."
struct PlanCsvRefusal {
    std::string text;
};

// The plan the file holds, or why none of it is taken: a bad row refuses the whole file.
std::variant<InspectionPlan, PlanCsvRefusal> readPlanCsv(std::string_view bytes, Language language);

// One characteristic as the Plan window's table shows it, column by column: No,
// Characteristic, Nominal, Upper tolerance, Lower tolerance, Unit, Gauge ID, Subgroup,
// Warning %.
using CharacteristicTexts = std::array<std::string, 9>;

CharacteristicTexts textsOf(const Characteristic& characteristic);
// What was typed in row `row` (from 1) read by the rules of the CSV (a decimal comma too), or
// why not: "Characteristic 2: …".
std::variant<Characteristic, std::string> characteristicFromTexts(const CharacteristicTexts& texts,
                                                                  std::size_t row,
                                                                  Language language);
// The header of a column of the table, as the CSV heads it.
const Bilingual& tableColumnHeader(std::size_t column);

// The plan in the same format, UTF-8 with a byte-order mark (which Excel needs to read UTF-8),
// comma-separated, headers in `language`, lines ended by CR LF.
std::string writePlanCsv(const InspectionPlan& plan, Language language);

}  // namespace mensora
