#include "installer/install_errors.h"

namespace installer {

std::string InstallErrorText(int result, const unpack::FailureInfo& failure) {
    std::string reason;
    switch (result == -1 ? unpack::Failure::ArchiveMissing : failure.kind) {
    case unpack::Failure::ArchiveMissing: reason = "找不到安装包：" + failure.path; break;
    case unpack::Failure::FolderNotMade: reason = "无法创建文件夹：" + failure.path; break;
    case unpack::Failure::NotAnArchive:
    case unpack::Failure::EntryUnreadable: reason = "安装包已损坏：" + failure.path; break;
    case unpack::Failure::UnsafeName: reason = "安装包中的文件名不安全：" + failure.path; break;
    case unpack::Failure::FileNotWritten: reason = "无法写入文件：" + failure.path; break;
    case unpack::Failure::DataCorrupt: reason = "文件数据已损坏：" + failure.path; break;
    case unpack::Failure::None: reason = "无法开始解压。"; break;
    }
    return "安装失败。\n\n" + reason + "\n\n请检查后重试，或选择其他驱动器。";
}

}  // namespace installer
