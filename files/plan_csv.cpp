#include "files/plan_csv.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <vector>

#include "base/control_table.h"
#include "base/number_text.h"
#include "base/texts.h"
#include "files/chinese_text.h"

namespace mensora {
namespace {

enum Column { Part, PartName, No, Name, Nominal, Upper, Lower, Unit, Gauge, Subgroup, Warning };
constexpr std::size_t kColumnCount = 11;

struct ColumnHeader {
    Bilingual header;
    bool required;
};

// In the order an export writes them.
constexpr std::array<ColumnHeader, kColumnCount> kColumns{{
    {{"零件号", "Part"}, true},
    {{"零件名称", "Part name"}, false},
    {{"序号", "No"}, false},
    {{"测量特性", "Characteristic"}, true},
    {{"标准尺寸", "Nominal"}, true},
    {{"上公差", "Upper tolerance"}, true},
    {{"下公差", "Lower tolerance"}, true},
    {{"单位", "Unit"}, false},
    {{"量具编号", "Gauge ID"}, false},
    {{"子组", "Subgroup"}, false},
    {{"预警", "Warning %"}, false},
}};

// The table of the Plan window shows the columns from "No" on.
constexpr std::size_t kFirstTableColumn = No;
static_assert(kColumnCount - kFirstTableColumn == std::tuple_size_v<CharacteristicTexts>);

constexpr Bilingual kLine{"第 ", "Line "};
constexpr Bilingual kRow{"测量特性 ", "Characteristic "};
constexpr Bilingual kLineEnd{" 行：", ": "};
constexpr Bilingual kNotText{"文件既不是 UTF-8 也不是 GBK 编码。",
                             "The file is neither UTF-8 nor GBK text."};
constexpr Bilingual kNoHeader{"文件为空，缺少标题行。", "The file is empty: no header row."};
constexpr Bilingual kMissingColumn{"缺少列“", "the column \""};
constexpr Bilingual kMissingColumnEnd{"”。", "\" is missing."};
constexpr Bilingual kTwiceColumn{"列“", "the column \""};
constexpr Bilingual kTwiceColumnEnd{"”出现了两次。", "\" appears twice."};
constexpr Bilingual kNotANumber{"”不是数字。", "\" is not a number."};
constexpr Bilingual kNotAWhole{"”不是整数。", "\" is not a whole number."};
constexpr Bilingual kUnitUnknown{"单位“", "the unit \""};
constexpr Bilingual kUnitUnknownEnd{"”不是 mm、inch 或 °。", "\" is not mm, inch or °."};
constexpr Bilingual kOtherPart{"零件号“", "the part \""};
constexpr Bilingual kOtherPartEnd{"”与前面的不同：一个计划只属于一个零件。",
                                  "\" differs from the rows above: a plan is for one part."};
constexpr Bilingual kUnquoted{"引号未闭合。", "a quoted field is not closed."};

std::string lineText(std::size_t line, Language language) {
    return pick(kLine, language) + std::to_string(line) + pick(kLineEnd, language);
}

std::string rowText(std::size_t row, Language language) {
    return pick(kRow, language) + std::to_string(row) +
           (language == Language::English ? ": " : "：");
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

struct Row {
    std::size_t line;  // where it starts in the file, from 1
    std::vector<std::string> fields;
};

// The separator the header row uses most, outside quotes: a tab, a semicolon or a comma.
char separatorOf(std::string_view text) {
    std::size_t tabs = 0, semicolons = 0, commas = 0;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        tabs += c == '\t';
        semicolons += c == ';';
        commas += c == ',';
    }
    if (tabs > 0 && tabs >= semicolons && tabs >= commas) return '\t';
    return semicolons > commas ? ';' : ',';
}

// Fields as RFC 4180 quotes them ("" for a quote inside quotes, line breaks inside quotes);
// none when a quoted field runs to the end of the file, with the line it started on.
std::optional<std::vector<Row>> rowsOf(std::string_view text, char separator,
                                       std::size_t& unclosedLine) {
    std::vector<Row> rows;
    Row row{1, {}};
    std::string field;
    std::size_t line = 1;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                line += c == '\n';
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == separator) {
            row.fields.push_back(std::move(field));
            field.clear();
        } else if (c == '\n' || c == '\r') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            row.fields.push_back(std::move(field));
            field.clear();
            rows.push_back(std::move(row));
            row = Row{++line, {}};
        } else {
            field += c;
        }
    }
    if (quoted) {
        unclosedLine = row.line;
        return std::nullopt;
    }
    if (!field.empty() || !row.fields.empty()) {
        row.fields.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    // Rows a spreadsheet leaves below the table (",,,,") hold nothing.
    std::erase_if(rows, [](const Row& r) {
        return std::all_of(r.fields.begin(), r.fields.end(),
                           [](const std::string& f) { return trimmed(f).empty(); });
    });
    return rows;
}

std::optional<std::size_t> columnNamed(std::string_view header) {
    const std::string name = lowered(trimmed(header));
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        if (name == kColumns[i].header.chinese || name == lowered(kColumns[i].header.english)) {
            return i;
        }
    }
    return std::nullopt;
}

class RowReader {
public:
    // `where` names the row in a refusal ("Line 4: "); a decimal comma is read where commas
    // do not separate the fields.
    RowReader(const Row& row, const std::array<std::optional<std::size_t>, kColumnCount>& at,
              bool decimalComma, std::string where, Language language)
        : row_(row),
          at_(at),
          decimalComma_(decimalComma),
          where_(std::move(where)),
          language_(language) {}

    std::string text(Column column) const {
        const auto index = at_[column];
        if (!index || *index >= row_.fields.size()) return {};
        return std::string(trimmed(row_.fields[*index]));
    }
    std::optional<float> number(Column column) {
        std::string written = text(column);
        if (decimalComma_ && written.find('.') == std::string::npos) {
            std::replace(written.begin(), written.end(), ',', '.');
        }
        const std::optional<float> value = parseFloat(written);
        if (!value) refuse(quotedAs(column, written) + pick(kNotANumber, language_));
        return value;
    }
    std::optional<int> whole(Column column, std::string_view unitMark = {}) {
        std::string written = text(column);
        if (!unitMark.empty() && written.ends_with(unitMark)) {
            written = std::string(
                trimmed(std::string_view(written).substr(0, written.size() - unitMark.size())));
        }
        const std::optional<std::uint32_t> value = parseUnsigned(written);
        if (!value || *value > 1000) {
            refuse(quotedAs(column, text(column)) + pick(kNotAWhole, language_));
            return std::nullopt;
        }
        return static_cast<int>(*value);
    }
    void refuse(std::string why) {
        if (!refusal_) refusal_ = where_ + why;
    }
    const std::optional<std::string>& refusal() const { return refusal_; }

private:
    std::string quotedAs(Column column, const std::string& written) const {
        return std::string(pick(kColumns[column].header, language_)) +
               (language_ == Language::English ? " \"" : "“") + written;
    }

    const Row& row_;
    const std::array<std::optional<std::size_t>, kColumnCount>& at_;
    bool decimalComma_;
    std::string where_;
    Language language_;
    std::optional<std::string> refusal_;
};

std::optional<Characteristic> characteristicOf(RowReader& reader, Language language) {
    Characteristic c;
    c.number = reader.text(No);
    c.name = reader.text(Name);
    const auto nominal = reader.number(Nominal);
    const auto upper = reader.number(Upper);
    const auto lower = reader.number(Lower);
    if (reader.refusal()) return std::nullopt;
    c.nominal = *nominal;
    c.upperTolerance = *upper;
    c.lowerTolerance = *lower;
    if (const std::string unit = reader.text(Unit); !unit.empty()) {
        const auto index = unitIndexOf(unit);
        if (!index) {
            reader.refuse(pick(kUnitUnknown, language) + unit + pick(kUnitUnknownEnd, language));
            return std::nullopt;
        }
        c.unitIndex = *index;
    }
    c.gaugeId = reader.text(Gauge);
    if (!reader.text(Subgroup).empty()) {
        const auto size = reader.whole(Subgroup);
        if (!size) return std::nullopt;
        c.subgroupSize = *size;
    }
    if (!reader.text(Warning).empty()) {
        c.warningPercent = reader.whole(Warning, "%");
        if (!c.warningPercent) return std::nullopt;
    }
    if (auto fault = characteristicFault(c, language)) {
        reader.refuse(*fault);
        return std::nullopt;
    }
    return c;
}

std::string quotedField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

}  // namespace

std::variant<InspectionPlan, PlanCsvRefusal> readPlanCsv(std::string_view bytes,
                                                         Language language) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::string text(bytes);
    if (!isUtf8(text)) {
        auto converted = gbkToUtf8(bytes);
        if (!converted) return PlanCsvRefusal{pick(kNotText, language)};
        text = std::move(*converted);
    }
    const char separator = separatorOf(text);
    std::size_t unclosedLine = 0;
    const auto rows = rowsOf(text, separator, unclosedLine);
    if (!rows) return PlanCsvRefusal{lineText(unclosedLine, language) + pick(kUnquoted, language)};
    if (rows->empty()) return PlanCsvRefusal{pick(kNoHeader, language)};

    const Row& header = rows->front();
    std::array<std::optional<std::size_t>, kColumnCount> at{};
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const auto column = columnNamed(header.fields[i]);
        if (!column) continue;  // a column of the engineer's own
        if (at[*column]) {
            return PlanCsvRefusal{lineText(header.line, language) + pick(kTwiceColumn, language) +
                                  pick(kColumns[*column].header, language) +
                                  pick(kTwiceColumnEnd, language)};
        }
        at[*column] = i;
    }
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        if (kColumns[i].required && !at[i]) {
            return PlanCsvRefusal{lineText(header.line, language) + pick(kMissingColumn, language) +
                                  kColumns[i].header.english + " / " + kColumns[i].header.chinese +
                                  pick(kMissingColumnEnd, language)};
        }
    }

    InspectionPlan plan;
    for (std::size_t r = 1; r < rows->size(); ++r) {
        const Row& row = (*rows)[r];
        RowReader reader(row, at, separator != ',', lineText(row.line, language), language);
        const std::string part = reader.text(Part);
        if (!part.empty() && !plan.part.empty() && part != plan.part) {
            reader.refuse(pick(kOtherPart, language) + part + pick(kOtherPartEnd, language));
            return PlanCsvRefusal{*reader.refusal()};
        }
        if (plan.part.empty()) plan.part = part;
        if (plan.partName.empty()) plan.partName = reader.text(PartName);
        auto characteristic = characteristicOf(reader, language);
        if (!characteristic) return PlanCsvRefusal{*reader.refusal()};
        plan.characteristics.push_back(std::move(*characteristic));
    }
    if (auto fault = planFault(plan, language)) return PlanCsvRefusal{*fault};
    return plan;
}

CharacteristicTexts textsOf(const Characteristic& c) {
    return {c.number,
            c.name,
            formatFloat(c.nominal),
            formatFloat(c.upperTolerance),
            formatFloat(c.lowerTolerance),
            recordUnitName(c.unitIndex),
            c.gaugeId,
            std::to_string(c.subgroupSize),
            c.warningPercent ? std::to_string(*c.warningPercent) : std::string()};
}

std::variant<Characteristic, std::string> characteristicFromTexts(const CharacteristicTexts& texts,
                                                                  std::size_t row,
                                                                  Language language) {
    std::array<std::optional<std::size_t>, kColumnCount> at{};
    for (std::size_t i = 0; i < texts.size(); ++i) at[kFirstTableColumn + i] = i;
    const Row cells{row, std::vector<std::string>(texts.begin(), texts.end())};
    RowReader reader(cells, at, true, rowText(row, language), language);
    auto characteristic = characteristicOf(reader, language);
    if (!characteristic) return *reader.refusal();
    return std::move(*characteristic);
}

const Bilingual& tableColumnHeader(std::size_t column) {
    return kColumns[kFirstTableColumn + column].header;
}

std::string writePlanCsv(const InspectionPlan& plan, Language language) {
    std::string out = "\xEF\xBB\xBF";
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        if (i > 0) out += ',';
        out += quotedField(pick(kColumns[i].header, language));
    }
    out += "\r\n";
    for (const Characteristic& c : plan.characteristics) {
        const std::string fields[kColumnCount] = {
            plan.part,
            plan.partName,
            c.number,
            c.name,
            formatFloat(c.nominal),
            formatFloat(c.upperTolerance),
            formatFloat(c.lowerTolerance),
            c.unitIndex == 0   ? "mm"
            : c.unitIndex == 1 ? "inch"
                               : "°",
            c.gaugeId,
            std::to_string(c.subgroupSize),
            c.warningPercent ? std::to_string(*c.warningPercent) : std::string(),
        };
        for (std::size_t i = 0; i < kColumnCount; ++i) {
            if (i > 0) out += ',';
            out += quotedField(fields[i]);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace mensora
