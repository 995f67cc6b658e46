#include "core/io/atomic_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include <unistd.h>

namespace orrerion {
namespace {

// Writes, flushes and syncs the file; returns the system's reason of a failure, empty on success.
// A partly written file is removed.
std::string WriteAndSync(const std::filesystem::path& path, const std::string& content) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return std::strerror(errno);
    bool ok = content.empty() || std::fwrite(content.data(), 1, content.size(), f) == content.size();
    int savedErrno = errno;
    if (ok && std::fflush(f) != 0) { ok = false; savedErrno = errno; }
    if (ok && ::fsync(::fileno(f)) != 0) { ok = false; savedErrno = errno; }
    if (std::fclose(f) != 0 && ok) { ok = false; savedErrno = errno; }
    if (!ok) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        return std::strerror(savedErrno);
    }
    return {};
}

WriteResult Failed(const std::filesystem::path& path, const std::string& reason) {
    return WriteResult{false, "Cannot write " + path.string() + ": " + reason};
}

}  // namespace

WriteResult WriteFileDurably(const std::filesystem::path& path, const std::string& content) {
    const std::string reason = WriteAndSync(path, content);
    return reason.empty() ? WriteResult{} : Failed(path, reason);
}

WriteResult WriteFileAtomically(const std::filesystem::path& path, const std::string& content) {
    namespace fs = std::filesystem;
    fs::path temp = path;
    temp += ".tmp" + std::to_string(::getpid());
    const std::string reason = WriteAndSync(temp, content);
    if (!reason.empty()) return Failed(path, reason);
    std::error_code ec;
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        return Failed(path, ec.message());
    }
    return {};
}

}  // namespace orrerion
