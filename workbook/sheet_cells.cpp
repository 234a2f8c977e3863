#include "workbook/sheet_cells.h"

#include <algorithm>

#include "measure/record_list_cells.h"

namespace mensora {

Formats::Formats(lxw_workbook* book) : book_(book) {
    header_ = workbook_add_format(book);
    format_set_bold(header_);
    for (const CellLook look : {CellLook::Plain, CellLook::Ng, CellLook::Warning}) {
        plain_[index(look)] = look == CellLook::Plain ? nullptr : lookFormat(look);
        time_[index(look)] = lookFormat(look);
        format_set_num_format(time_[index(look)], "yyyy-mm-dd hh:mm:ss");
    }
}

lxw_format* Formats::number(int decimals, CellLook look) {
    decimals = std::clamp(decimals, 0, kMostDecimals);
    lxw_format*& format = numbers_[index(look)][decimals];
    if (format == nullptr) {
        format = lookFormat(look);
        const std::string pattern =
            decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0');
        format_set_num_format(format, pattern.c_str());
    }
    return format;
}

lxw_format* Formats::lookFormat(CellLook look) const {
    lxw_format* format = workbook_add_format(book_);
    if (look == CellLook::Ng) format_set_font_color(format, LXW_COLOR_RED);
    if (look == CellLook::Warning) {
        format_set_pattern(format, LXW_PATTERN_SOLID);
        format_set_bg_color(format, kWarningBackground);
    }
    return format;
}

std::string fieldText(std::string_view field) {
    std::string text;
    for (const char c : field) {
        if (c >= ' ' && c <= '~') text.push_back(c);
    }
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void writeNumberOrText(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column,
                       const std::optional<FieldNumber>& number, std::string_view field,
                       Formats& formats, CellLook look) {
    if (number) {
        worksheet_write_number(sheet, row, column, number->value,
                               formats.number(number->decimals, look));
    } else {
        worksheet_write_string(sheet, row, column, fieldText(field).c_str(), formats.plain(look));
    }
}

void writeTime(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column,
               const std::optional<LocalDateTime>& time, std::string_view stamp, Formats& formats,
               CellLook look) {
    if (time) {
        lxw_datetime cell{time->year, time->month,  time->day,
                          time->hour, time->minute, double(time->second)};
        worksheet_write_datetime(sheet, row, column, &cell, formats.time(look));
    } else {
        worksheet_write_string(sheet, row, column, fieldText(stamp).c_str(), formats.plain(look));
    }
}

}  // namespace mensora
