#include "measure/field_format.h"

#include <algorithm>

#include "base/texts.h"

namespace mensora {
namespace {

int digitCount(std::uint64_t value) {
    int digits = 1;
    while (value >= 10) {
        value /= 10;
        ++digits;
    }
    return digits;
}

constexpr int kDeviationWidth = 8;
// A gauge frame has at most seven digits behind its point.
constexpr int kMostPlaces = 7;
// Beyond the largest magnitude the field can show (seven digits) at up to seven places, and
// still exact in a double: anything at or above it (infinity and NaN too) is not written.
constexpr double kBeyondField = 1e15;

// Whether `scaled` (the magnitude times 10^decimals) fits with its sign and point.
bool fitsDeviationField(std::uint64_t scaled, int decimals) {
    const int integerDigits = std::max(1, digitCount(scaled) - decimals);
    const int width = 1 + integerDigits + (decimals > 0 ? 1 + decimals : 0);
    return width <= kDeviationWidth;
}

DeviationText largestDeviation(char sign) { return {sign, '9', '9', '9', '9', '9', '9', '9'}; }

}  // namespace

void putDigits(char* out, std::uint64_t value, int width) {
    for (int position = width - 1; position >= 0; --position) {
        out[position] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

SequenceText formatSequence(std::uint32_t number) {
    constexpr std::uint32_t kLastNumber = 999'999;
    SequenceText text;
    putDigits(text.data(), std::min(number, kLastNumber), static_cast<int>(text.size()));
    return text;
}

DeviationText formatDeviation(float deviation, std::uint8_t decimalPlaces) {
    const char sign = deviation < 0.0f ? '-' : ' ';
    double magnitude = deviation < 0.0f ? -static_cast<double>(deviation) : deviation;
    int decimals = std::min<int>(decimalPlaces, kMostPlaces);
    // Ten times, once per place, each product in double precision, then half away from zero.
    for (int place = 0; place < decimals; ++place) magnitude *= 10.0;
    magnitude += 0.5;
    if (!(magnitude < kBeyondField)) return largestDeviation(sign);

    auto scaled = static_cast<std::uint64_t>(magnitude);
    // Too wide: drop decimals from the right, the already rounded digits cut off as they are.
    while (!fitsDeviationField(scaled, decimals)) {
        if (decimals == 0) return largestDeviation(sign);
        scaled /= 10;
        --decimals;
    }

    DeviationText text;
    text.fill(' ');
    int position = kDeviationWidth - 1;
    for (int place = 0; place < decimals; ++place) {
        text[static_cast<std::size_t>(position--)] = static_cast<char>('0' + scaled % 10);
        scaled /= 10;
    }
    if (decimals > 0) text[static_cast<std::size_t>(position--)] = '.';
    do {
        text[static_cast<std::size_t>(position--)] = static_cast<char>('0' + scaled % 10);
        scaled /= 10;
    } while (scaled > 0);
    text[static_cast<std::size_t>(position)] = sign;
    return text;
}

TimeStampText formatTimeStamp(const LocalDateTime& time) {
    // Each part keeps its last digits, so the stamp is made of digits whatever the clock says.
    const auto part = [](int value) {
        return static_cast<std::uint64_t>(static_cast<unsigned>(value));
    };
    TimeStampText text;
    char* out = text.data();
    putDigits(out, part(time.year), 4);
    out[4] = '-';
    putDigits(out + 5, part(time.month), 2);
    out[7] = '-';
    putDigits(out + 8, part(time.day), 2);
    out[10] = ';';
    out[11] = ' ';
    putDigits(out + 12, part(time.hour), 2);
    out[14] = ':';
    putDigits(out + 15, part(time.minute), 2);
    out[17] = ':';
    putDigits(out + 18, part(time.second), 2);
    return text;
}

VerdictRecordText verdictRecordText(Verdict verdict, Language language) {
    const bool ok = verdict == Verdict::Ok;
    if (language == Language::English) {
        return ok ? VerdictRecordText{' ', 'O', 'K', ' '} : VerdictRecordText{' ', 'N', 'G', ' '};
    }
    // GBK (code page 936): 合格 and 超差.
    return ok ? VerdictRecordText{'\xBA', '\xCF', '\xB8', '\xF1'}
              : VerdictRecordText{'\xB3', '\xAC', '\xB2', '\xEE'};
}

const char* verdictListText(Verdict verdict, Language language) {
    return pick(verdict == Verdict::Ok ? texts::kVerdictOk : texts::kVerdictNg, language);
}

}  // namespace mensora
