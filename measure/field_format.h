#pragma once
// The fixed-width texts of a record. Every text is built by integer division into fixed
// positions, so it is the same bytes on every machine and in every locale; the record files
// hold these bytes unchanged.

#include <array>
#include <cstdint>

#include "base/acquisition_state.h"
#include "base/clock.h"

namespace mensora {

using SequenceText = std::array<char, 6>;
using DeviationText = std::array<char, 8>;
using VerdictRecordText = std::array<char, 4>;
using TimeStampText = std::array<char, 20>;

// The last `width` decimal digits of value into out, most significant first, zero-filled:
// every fixed-width number of a record and of a record file's name is written by it.
void putDigits(char* out, std::uint64_t value, int width);

// The record number, zero-filled to six digits; from 999999 on every record carries 999999.
SequenceText formatSequence(std::uint32_t number);

// The deviation of a reading from the nominal size, rounded half away from zero at the
// gauge's decimal places, right-aligned in eight positions with the sign directly before
// the first digit and at least one integer digit.
//  - Three places: up to three integer digits ("  -1.500", "-105.500").
//  - Five places: one integer digit and five decimals; from 10 on the fifth decimal is
//    dropped to make room for the tens digit (" 10.0000").
//  - Any other count of places uses the same layout with that many decimals.
//  - Whatever does not fit gives up decimals from the right, the rounded digits cut off
//    as they are, as the five-place layout does, down to a whole number; a magnitude that
//    would need more than seven digits shows the largest the field holds, 9999999.
// The sign is decided before rounding, so a small negative deviation keeps its "-".
DeviationText formatDeviation(float deviation, std::uint8_t decimalPlaces);

// "YYYY-MM-DD; hh:mm:ss".
TimeStampText formatTimeStamp(const LocalDateTime& time);

// The verdict as a record holds it: " OK " / " NG " in English, otherwise the GBK bytes of
// the Chinese words.
VerdictRecordText verdictRecordText(Verdict verdict, Language language);

// The verdict as the record list shows it (UTF-8).
const char* verdictListText(Verdict verdict, Language language);

}  // namespace mensora
