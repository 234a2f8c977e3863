#include "workbook/sheet_cells.h"

#include <algorithm>

namespace mensora {

Formats::Formats(lxw_workbook* book) : book_(book) {
    header_ = workbook_add_format(book);
    format_set_bold(header_);
    for (int red = 0; red < 2; ++red) {
        plain_[red] = red != 0 ? redFormat() : nullptr;
        time_[red] = red != 0 ? redFormat() : workbook_add_format(book);
        format_set_num_format(time_[red], "yyyy-mm-dd hh:mm:ss");
    }
}

lxw_format* Formats::number(int decimals, bool red) {
    decimals = std::clamp(decimals, 0, kMostDecimals);
    lxw_format*& format = numbers_[red][decimals];
    if (format == nullptr) {
        format = red ? redFormat() : workbook_add_format(book_);
        const std::string pattern =
            decimals == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(decimals), '0');
        format_set_num_format(format, pattern.c_str());
    }
    return format;
}

lxw_format* Formats::redFormat() const {
    lxw_format* format = workbook_add_format(book_);
    format_set_font_color(format, LXW_COLOR_RED);
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
                       Formats& formats, bool red) {
    if (number) {
        worksheet_write_number(sheet, row, column, number->value,
                               formats.number(number->decimals, red));
    } else {
        worksheet_write_string(sheet, row, column, fieldText(field).c_str(), formats.plain(red));
    }
}

void writeTime(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column,
               const std::optional<LocalDateTime>& time, std::string_view stamp, Formats& formats,
               bool red) {
    if (time) {
        lxw_datetime cell{time->year, time->month,  time->day,
                          time->hour, time->minute, double(time->second)};
        worksheet_write_datetime(sheet, row, column, &cell, formats.time(red));
    } else {
        worksheet_write_string(sheet, row, column, fieldText(stamp).c_str(), formats.plain(red));
    }
}

}  // namespace mensora
