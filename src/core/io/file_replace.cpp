#include "core/io/file_replace.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orrerion {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t BufferBytes = 1 << 20;
// Pieces at least this large go to the file as they are, without passing through the buffer.
constexpr std::size_t DirectBytes = 64 << 10;
constexpr const char* TempSuffix = ".tmp";
constexpr std::size_t RandomDigits = 16;

// ".NAMES.FIL~3f9a0c41d2b7e685.tmp": hidden, named after its target, with 64 random bits, so that
// no other program can guess the name and plant a link there first.
std::string TempName(const fs::path& target) {
    static constexpr char Hex[] = "0123456789abcdef";
    std::random_device device;
    std::uint64_t bits = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    std::string name = "." + target.filename().string() + "~";
    for (std::size_t i = 0; i < RandomDigits; ++i) {
        name.push_back(Hex[bits & 15]);
        bits >>= 4;
    }
    return name + TempSuffix;
}

bool IsTempName(const std::string& name) {
    const std::size_t tilde = name.rfind('~');
    if (name.size() < 2 || name[0] != '.' || tilde == std::string::npos) return false;
    if (name.size() != tilde + 1 + RandomDigits + std::strlen(TempSuffix)) return false;
    for (std::size_t i = tilde + 1; i < tilde + 1 + RandomDigits; ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
    }
    return name.compare(tilde + 1 + RandomDigits, std::string::npos, TempSuffix) == 0;
}

// Forces the folder's entries (a rename) to disk; a folder that cannot be synced is no failure.
void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

FileReplacement::FileReplacement(fs::path target, Durability durability)
    : target_(std::move(target)), durability_(durability) {
    const fs::path folder = target_.parent_path();
    // Created exclusively: an existing file or link at the name is never opened, only avoided.
    for (int attempt = 0; attempt < 16; ++attempt) {
        temp_ = folder / TempName(target_);
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) {
        error_ = errno;
        temp_.clear();
    }
}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : target_(std::move(other.target_)),
      temp_(std::move(other.temp_)),
      durability_(other.durability_),
      fd_(other.fd_),
      error_(other.error_),
      buffer_(std::move(other.buffer_)),
      finished_(other.finished_),
      published_(other.published_) {
    other.fd_ = -1;
    other.temp_.clear();
    other.published_ = true;
}

FileReplacement::~FileReplacement() {
    if (!published_) Discard();
}

void FileReplacement::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temp_.empty()) ::unlink(temp_.c_str());
    temp_.clear();
}

void FileReplacement::Write(std::string_view bytes) {
    if (error_ != 0 || finished_) return;
    if (buffer_.size() + bytes.size() > BufferBytes || bytes.size() >= DirectBytes) Flush();
    if (bytes.size() >= DirectBytes) {
        WriteAll(bytes.data(), bytes.size());
        return;
    }
    if (buffer_.capacity() == 0) buffer_.reserve(BufferBytes);
    buffer_.append(bytes);
}

void FileReplacement::Flush() {
    WriteAll(buffer_.data(), buffer_.size());
    buffer_.clear();
}

void FileReplacement::WriteAll(const char* p, std::size_t left) {
    while (error_ == 0 && left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            error_ = errno;
        } else if (n == 0) {
            error_ = EIO;
        } else {
            p += n;
            left -= static_cast<std::size_t>(n);
        }
    }
}

WriteResult FileReplacement::Failure(const std::string& reason) {
    Discard();
    published_ = true;  // nothing left to publish or remove
    return {false, "Cannot write " + target_.string() + ": " + reason};
}

WriteResult FileReplacement::Finish() {
    if (finished_) return {};
    finished_ = true;
    if (fd_ < 0 || error_ != 0) return Failure(std::strerror(error_ != 0 ? error_ : EBADF));
    Flush();
    std::string().swap(buffer_);  // a finished replacement waiting for its rename holds no memory
    if (error_ == 0 && durability_ == Durability::Synced && ::fsync(fd_) != 0) error_ = errno;
    if (::close(fd_) != 0 && error_ == 0) error_ = errno;
    fd_ = -1;
    if (error_ != 0) return Failure(std::strerror(error_));
    return {};
}

WriteResult FileReplacement::Publish() {
    if (published_) return {false, "Cannot write " + target_.string() + ": nothing to publish"};
    if (!finished_) {
        if (WriteResult finished = Finish(); !finished.ok) return finished;
    }
    // rename() replaces the target's directory entry: a link at the target is replaced, not
    // followed.
    if (::rename(temp_.c_str(), target_.c_str()) != 0) return Failure(std::strerror(errno));
    temp_.clear();
    published_ = true;
    if (durability_ == Durability::Synced) SyncFolder(target_.parent_path());
    return {};
}

WriteResult FileReplacement::Commit() {
    if (WriteResult finished = Finish(); !finished.ok) return finished;
    return Publish();
}

WriteResult ReplaceFile(const fs::path& target, std::string_view content, Durability durability) {
    FileReplacement file(target, durability);
    file.Write(content);
    return file.Commit();
}

WriteResult PublishTogether(std::span<FileReplacement* const> files) {
    // A rename fails where a folder has the target's name: found before anything is renamed.
    for (FileReplacement* file : files) {
        struct stat st {};
        if (::lstat(file->target().c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
            return {false, "Cannot write " + file->target().string() + ": " + std::strerror(EISDIR)};
        }
    }
    for (FileReplacement* file : files) {
        if (WriteResult published = file->Publish(); !published.ok) return published;
    }
    return {};
}

int RemoveStaleReplacements(const fs::path& folder) {
    int removed = 0;
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!IsTempName(name)) continue;
        std::error_code statError;
        if (!it->is_regular_file(statError) || it->is_symlink(statError)) continue;
        const auto written = it->last_write_time(statError);
        if (statError || now - written < std::chrono::minutes(1)) continue;
        if (::unlink(it->path().c_str()) == 0) ++removed;
    }
    return removed;
}

}  // namespace orrerion
