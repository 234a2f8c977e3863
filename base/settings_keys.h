#pragma once
// The ten keys of the section "Settings" with their defaults. The key strings are what
// users' stored settings hold: they never change.

#include <cstdint>

#include "base/language.h"
#include "base/settings_store.h"

namespace mensora {

struct SettingKey {
    const char* name;
    std::int32_t defaultValue;
};

namespace settings {
inline constexpr SettingKey kLanguage{"Language", kStoredChinese};
inline constexpr SettingKey kNominal{"m_Text9", 2000};          // thousandths
inline constexpr SettingKey kUpperTolerance{"m_Text10", 3000};  // thousandths
inline constexpr SettingKey kLowerTolerance{"m_Text11", 1000};  // thousandths
inline constexpr SettingKey kSampleInterval{"m_Text12", 200};   // milliseconds
inline constexpr SettingKey kBeep{"COMBO1", 0};
inline constexpr SettingKey kUnit{"COMBO2", 0};
inline constexpr SettingKey kPortIndex{"ComID", 1};
inline constexpr SettingKey kBaudRate{"Baudrate", 9600};

// Not one of the nine: how many days the journal keeps records a file holds (0: for ever).
inline constexpr SettingKey kJournalDays{"JournalDays", 30};
// Nor this: how many consecutive records make a subgroup of the control charts (1..10) while
// no plan is in force; 1 draws the individuals and their moving ranges.
inline constexpr SettingKey kChartsSubgroup{"ChartsSubgroup", 1};

inline constexpr SettingKey kAll[] = {kLanguage,       kNominal,        kUpperTolerance,
                                      kLowerTolerance, kSampleInterval, kBeep,
                                      kUnit,           kPortIndex,      kBaudRate};
}  // namespace settings

inline std::int32_t getSetting(SettingsStore& store, const SettingKey& key) {
    return store.get(key.name, key.defaultValue);
}

inline void putSetting(SettingsStore& store, const SettingKey& key, std::int32_t value) {
    store.put(key.name, value);
}

}  // namespace mensora
