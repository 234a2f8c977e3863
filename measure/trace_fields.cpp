#include "measure/trace_fields.h"

#include "measure/trace_texts.h"

namespace mensora {
namespace {

// The blanks a field drops at either end, in UTF-8.
constexpr std::string_view kBlanks[] = {" ", "\xC2\xA0", "\xE3\x80\x80"};

// The length of the blank that `text` ends with (or begins with), 0 when there is none.
std::size_t blankAt(std::string_view text, bool end) {
    for (const std::string_view blank : kBlanks) {
        if (end ? text.ends_with(blank) : text.starts_with(blank)) return blank.size();
    }
    return 0;
}

// Characters, not bytes: every byte but a UTF-8 continuation byte starts one.
std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    }
    return count;
}

// The line breaks beyond the control characters: next line, line and paragraph separator.
constexpr std::string_view kOtherLineBreaks[] = {"\xC2\x85", "\xE2\x80\xA8", "\xE2\x80\xA9"};

bool holdsControl(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) return true;
    }
    for (const std::string_view lineBreak : kOtherLineBreaks) {
        if (text.find(lineBreak) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace

TraceFieldCheck checkTraceField(std::string_view typed) {
    if (holdsControl(typed)) return {{}, TraceFieldFault::ControlCharacter};
    while (const std::size_t blank = blankAt(typed, false)) typed.remove_prefix(blank);
    while (const std::size_t blank = blankAt(typed, true)) typed.remove_suffix(blank);
    if (characterCount(typed) > kTraceFieldMaxChars) return {{}, TraceFieldFault::TooLong};
    return {std::string(typed), TraceFieldFault::None};
}

std::string traceFieldFaultText(const TraceField& field, TraceFieldFault fault, Language language) {
    std::string text = pick(field.label, language);
    if (fault == TraceFieldFault::ControlCharacter) {
        return text + pick(trace_texts::kControlCharacter, language);
    }
    return text + pick(trace_texts::kTooLongBefore, language) +
           std::to_string(kTraceFieldMaxChars) + pick(trace_texts::kTooLongAfter, language);
}

std::string traceLine(const TraceValues& values, Language language) {
    if (values == TraceValues{}) return pick(trace_texts::kNoneSet, language);
    std::string line;
    for (const TraceField& field : kTraceFields) {
        if (!line.empty()) line += trace_texts::kSeparator;
        const std::string& value = values.*field.value;
        line += std::string(pick(field.label, language)) + pick(trace_texts::kLabelEnd, language) +
                (value.empty() ? trace_texts::kEmptyValue : value);
    }
    return line;
}

}  // namespace mensora
