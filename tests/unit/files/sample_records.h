#pragma once
// Records as a bench makes them, and the record files they give, byte for byte. The bytes are
// spelled out rather than computed, so that a fault in the writer cannot hide in the test.

#include <algorithm>
#include <string>
#include <string_view>

#include "measure/record_store.h"

namespace mensora::test {

// GBK verdict words as a record holds them.
inline constexpr std::string_view kGbkOk = "\xBA\xCF\xB8\xF1";  // 合格
inline constexpr std::string_view kGbkNg = "\xB3\xAC\xB2\xEE";  // 超差

template <std::size_t N>
std::array<char, N> fieldOf(std::string_view text) {
    std::array<char, N> field{};
    std::copy_n(text.begin(), std::min(N, text.size()), field.begin());
    return field;
}

inline void addRecord(RecordStore& store, std::string_view seq, std::string_view value,
                      std::string_view error, std::string_view result, std::string_view time) {
    store.append({fieldOf<6>(seq), fieldOf<8>(value), fieldOf<8>(error), fieldOf<4>(result),
                  fieldOf<20>(time)});
}

// Three records made with the Chinese interface: too large, good, too small.
inline void addThreeChineseRecords(RecordStore& store) {
    addRecord(store, "000001", "12.345  ", "  10.345", kGbkNg, "2026-12-07; 09:00:00");
    addRecord(store, "000002", "2.5     ", "   0.500", kGbkOk, "2026-12-07; 09:00:05");
    addRecord(store, "000003", "-0.120  ", "  -2.120", kGbkNg, "2026-12-07; 09:01:10");
}

// The same readings made with the English interface.
inline void addThreeEnglishRecords(RecordStore& store) {
    addRecord(store, "000001", "12.345  ", "  10.345", " NG ", "2026-12-07; 09:00:00");
    addRecord(store, "000002", "2.5     ", "   0.500", " OK ", "2026-12-07; 09:00:05");
    addRecord(store, "000003", "-0.120  ", "  -2.120", " NG ", "2026-12-07; 09:01:10");
}

inline std::string bytes(std::string_view text) { return std::string(text); }

// "序号\t测量值\t误差\t结果\t时间\t\n" in GBK.
inline const std::string kChineseHeaderBytes = bytes("\xD0\xF2\xBA\xC5\x09"
                                                     "\xB2\xE2\xC1\xBF\xD6\xB5\x09"
                                                     "\xCE\xF3\xB2\xEE\x09"
                                                     "\xBD\xE1\xB9\xFB\x09"
                                                     "\xCA\xB1\xBC\xE4\x09"
                                                     "\x0A");

inline const std::string kEnglishHeaderBytes = bytes("No\tValue\tError\tResult\tTime\t\n");

inline const std::string kChineseRecordLines =
    bytes("000001\t12.345  \t  10.345\t\xB3\xAC\xB2\xEE\t2026-12-07; 09:00:00\t\n"
          "000002\t2.5     \t   0.500\t\xBA\xCF\xB8\xF1\t2026-12-07; 09:00:05\t\n"
          "000003\t-0.120  \t  -2.120\t\xB3\xAC\xB2\xEE\t2026-12-07; 09:01:10\t\n");

inline const std::string kEnglishRecordLines =
    bytes("000001\t12.345  \t  10.345\t NG \t2026-12-07; 09:00:00\t\n"
          "000002\t2.5     \t   0.500\t OK \t2026-12-07; 09:00:05\t\n"
          "000003\t-0.120  \t  -2.120\t NG \t2026-12-07; 09:01:10\t\n");

}  // namespace mensora::test
