#pragma once
// What the user is told when a record file cannot be written (UTF-8; Chinese in both
// interface languages).

#include <string>
#include <string_view>

#include "files/file_system.h"

namespace mensora {

// Named in place of the file when closing failed.
inline constexpr std::string_view kUnnamedFile = "一未命名文件";

// The message for the cause with fileName in its place.
std::string fileFailureMessage(FileFailure cause, std::string_view fileName);

}  // namespace mensora
