#include "files/file_failure_text.h"

namespace mensora {
namespace {

// "%1" stands for the file.
std::string_view templateOf(FileFailure cause) {
    switch (cause) {
        case FileFailure::Unknown: break;
        case FileFailure::NotFound: return "没有找到 %1。";
        case FileFailure::InvalidPath: return "%1 中包含无效的路径。";
        case FileFailure::TooManyOpenFiles: return "无法打开 %1 因为太多文件已被打开。";
        case FileFailure::AccessDenied: return "对 %1 的存取被拒绝。";
        case FileFailure::InvalidHandle: return "一个无效的文件柄与 %1 相关联。";
        case FileFailure::DirectoryFull: return "该目录已满，无法创建 %1。";
        case FileFailure::HardwareIo: return "在存取 %1 时一个硬件输入/输出错误被报告。";
        case FileFailure::SharingViolation: return "在存取 %1 时发生共享违例。";
        case FileFailure::LockViolation: return "在存取 %1 时发生锁违例。";
        case FileFailure::DiskFull: return "在存取 %1 时磁盘已满。";
        case FileFailure::SeekFault: return "对 %1 进行查找失败。";
    }
    return "在对 %1 进行访问时发生了一个不明错误。";
}

}  // namespace

std::string fileFailureMessage(FileFailure cause, std::string_view fileName) {
    const std::string_view text = templateOf(cause);
    const std::size_t mark = text.find("%1");
    std::string message(text.substr(0, mark));
    message.append(fileName).append(text.substr(mark + 2));
    return message;
}

}  // namespace mensora
