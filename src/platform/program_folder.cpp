// The program's folder from the kernel's link to the running executable.
#include "platform/program_folder.h"

namespace platform {
namespace {

bool installedUnderUsr(const std::filesystem::path& executable) {
    auto part = executable.begin();
    return part != executable.end() && *part == "/" && ++part != executable.end() && *part == "usr";
}

} // namespace

std::filesystem::path programFolderFor(const std::filesystem::path& executable,
                                       const std::filesystem::path& workingDirectory) {
    return installedUnderUsr(executable) ? workingDirectory : executable.parent_path();
}

std::filesystem::path programFolder() {
    std::error_code ignored;
    // /proc/self/exe names the executable with every link resolved, as the kernel ran it.
    const std::filesystem::path executable =
        std::filesystem::read_symlink("/proc/self/exe", ignored);
    return programFolderFor(executable, std::filesystem::current_path(ignored));
}

} // namespace platform
