#pragma once
// The plant database's own texts in both languages (UTF-8).

#include "base/texts.h"

namespace mensora::plant_texts {

inline constexpr Bilingual kWindowTitle{"工厂数据库", "Plant database"};
inline constexpr Bilingual kConnection{"ODBC 连接字符串:", "ODBC connection string:"};
inline constexpr Bilingual kBench{"工位名称:", "Bench name:"};
inline constexpr Bilingual kTest{"测试", "Test"};
inline constexpr Bilingual kOk{"确定", "OK"};
inline constexpr Bilingual kCancel{"取消", "Cancel"};
inline constexpr Bilingual kTesting{"正在连接…", "Connecting…"};
inline constexpr Bilingual kConnected{"连接成功: ", "Connected: "};
inline constexpr Bilingual kNotConnected{"无法连接: ", "Cannot connect: "};

inline constexpr Bilingual kStatusPrefix{"工厂数据库: ", "Plant database: "};
inline constexpr Bilingual kUpToDate{"已同步", "up to date"};
inline constexpr Bilingual kStarting{"正在连接", "connecting"};
inline constexpr Bilingual kWaitingAfter{" 条记录待发送", " records waiting"};
inline constexpr Bilingual kJournalFailing{" — 记录日志无法写入，记录暂无法发送",
                                           " — the record journal cannot be written, so records "
                                           "cannot be sent"};
inline constexpr Bilingual kErrorBefore{" — 错误: ", " — last error: "};

}  // namespace mensora::plant_texts
