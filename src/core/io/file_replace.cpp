#include "core/io/file_replace.h"

#include <array>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
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
// An unheld temporary file written within this time may belong to a writer that has created it
// and not yet taken its lock.
constexpr auto UnheldGrace = std::chrono::seconds(5);

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

// The descriptor of this process's standard output or error when `reached` is the same file, so
// that /dev/stdout is written where standard output goes, at its offset; -1 otherwise.
int OwnStreamOf(const struct stat& reached) {
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat st {};
        if (::fstat(fd, &st) == 0 && st.st_dev == reached.st_dev && st.st_ino == reached.st_ino) return fd;
    }
    return -1;
}

bool WrittenThrough(mode_t mode) { return S_ISCHR(mode) || S_ISFIFO(mode); }

void SleepMilliseconds(long ms) {
    timespec t{ms / 1000, (ms % 1000) * 1000000L};
    while (::nanosleep(&t, &t) != 0 && errno == EINTR) {
    }
}

}  // namespace

FileReplacement::FileReplacement(fs::path target, Durability durability, fs::path shownAs)
    : target_(std::move(target)), shown_(std::move(shownAs)), durability_(durability) {
    if (target_ == StandardOutputName) {
        if (shown_.empty()) shown_ = "standard output";
        OpenThrough(STDOUT_FILENO);
        return;
    }
    if (shown_.empty()) shown_ = target_;
    destination_ = target_;
    struct stat st {};
    if (::lstat(target_.c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
            // The link stays; what it leads to decides.
            struct stat reached {};
            if (::stat(target_.c_str(), &reached) != 0) {
                error_ = errno;
                if (errno == ENOENT) refusal_ = "it is a symbolic link to a file that does not exist";
                return;
            }
            if (const int own = OwnStreamOf(reached); own >= 0) {
                OpenThrough(own);
                return;
            }
            if (S_ISREG(reached.st_mode)) {
                char resolved[PATH_MAX];
                if (::realpath(target_.c_str(), resolved) == nullptr) {
                    error_ = errno;
                    return;
                }
                destination_ = resolved;
            } else if (WrittenThrough(reached.st_mode)) {
                OpenThrough(-1);
                return;
            } else {
                error_ = S_ISDIR(reached.st_mode) ? EISDIR : 0;
                if (error_ == 0) refusal_ = "it is a symbolic link to something that is neither a file, a character device nor a FIFO";
                return;
            }
        } else if (WrittenThrough(st.st_mode)) {
            OpenThrough(-1);
            return;
        } else if (S_ISDIR(st.st_mode)) {
            error_ = EISDIR;
            return;
        } else if (!S_ISREG(st.st_mode)) {
            refusal_ = "it is neither a file, a character device nor a FIFO";
            return;
        }
    }
    CreateTemporary();
}

// Writes straight to the target: a duplicate of `fd`, or the target opened for writing (a FIFO
// waits for its reader, as a shell's ">" does).
void FileReplacement::OpenThrough(int fd) {
    through_ = true;
    if (fd >= 0) {
        std::fflush(fd == STDOUT_FILENO ? stdout : stderr);  // what the program printed goes first
        fd_ = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    } else {
        do {
            fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        } while (fd_ < 0 && errno == EINTR);
    }
    if (fd_ < 0) error_ = errno;
}

void FileReplacement::CreateTemporary() {
    const fs::path folder = destination_.parent_path();
    // The replaced file's owner and mode, given to the new file before anything is written to it.
    struct stat old {};
    const bool replacing = ::stat(destination_.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    // Created exclusively: an existing file or link at the name is never opened, only avoided.
    for (int attempt = 0; attempt < 16; ++attempt) {
        temp_ = folder / TempName(destination_);
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                     replacing ? 0600 : 0666);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) {
        error_ = errno;
        temp_.clear();
        return;
    }
    // Held until the rename or the removal, so that no other copy takes the file for a leftover.
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) lockFd_ = ::fcntl(fd_, F_DUPFD_CLOEXEC, 3);
    if (replacing) {
        // The owner first: a change of owner clears the set-id bits that the mode then restores.
        // Only a privileged process may give a file away; the group alone may still be possible.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd_, old.st_uid, old.st_gid) != 0) {
            if (::fchown(fd_, static_cast<uid_t>(-1), old.st_gid) != 0) {
                // The new file keeps this process's owner and group.
            }
        }
        if (::fchmod(fd_, old.st_mode & 07777) != 0) error_ = errno;
    }
}

FileReplacement::FileReplacement(FileReplacement&& other) noexcept
    : target_(std::move(other.target_)),
      shown_(std::move(other.shown_)),
      destination_(std::move(other.destination_)),
      temp_(std::move(other.temp_)),
      durability_(other.durability_),
      fd_(other.fd_),
      lockFd_(other.lockFd_),
      error_(other.error_),
      refusal_(std::move(other.refusal_)),
      buffer_(std::move(other.buffer_)),
      through_(other.through_),
      finished_(other.finished_),
      published_(other.published_) {
    other.fd_ = -1;
    other.lockFd_ = -1;
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
    if (lockFd_ >= 0) ::close(lockFd_);
    lockFd_ = -1;
}

void FileReplacement::Write(std::string_view bytes) {
    if (error_ != 0 || !refusal_.empty() || finished_) return;
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
    return {false, "Cannot write " + shown_.string() + ": " + reason};
}

WriteResult FileReplacement::Finish() {
    if (finished_) return {};
    finished_ = true;
    if (!refusal_.empty()) return Failure(refusal_);
    if (fd_ < 0 || error_ != 0) return Failure(std::strerror(error_ != 0 ? error_ : EBADF));
    Flush();
    std::string().swap(buffer_);  // a finished replacement waiting for its rename holds no memory
    // A device or a FIFO has nothing to sync; a regular file reached as standard output has.
    if (error_ == 0 && durability_ == Durability::Synced && ::fsync(fd_) != 0 &&
        !(through_ && (errno == EINVAL || errno == EROFS))) {
        error_ = errno;
    }
    if (::close(fd_) != 0 && error_ == 0 && errno != EINTR) error_ = errno;
    fd_ = -1;
    if (error_ != 0) return Failure(std::strerror(error_));
    return {};
}

WriteResult FileReplacement::Publish() {
    if (published_) return {false, "Cannot write " + shown_.string() + ": nothing to publish"};
    if (!finished_) {
        if (WriteResult finished = Finish(); !finished.ok) return finished;
    }
    if (through_) {
        published_ = true;
        return {};
    }
    // Whatever took the destination's name meanwhile is replaced only when it is a file.
    struct stat st {};
    if (::lstat(destination_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        return Failure(S_ISDIR(st.st_mode) ? std::strerror(EISDIR)
                                           : "something other than a file took its place");
    }
    if (::rename(temp_.c_str(), destination_.c_str()) != 0) return Failure(std::strerror(errno));
    temp_.clear();
    published_ = true;
    if (lockFd_ >= 0) ::close(lockFd_);
    lockFd_ = -1;
    if (durability_ == Durability::Synced) SyncFolder(destination_.parent_path());
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

// ---- The data file lock -------------------------------------------------------------------------

DataFileLock::DataFileLock(const fs::path& dataFile, std::chrono::milliseconds wait)
    : lockPath_(dataFile.parent_path() / ("." + dataFile.filename().string() + ".lock")) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        fd_ = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            if (errno == EINTR) continue;
            // A folder that cannot be written (or is missing): the save fails there with its reason.
            if (errno == EACCES || errno == EPERM || errno == EROFS || errno == ENOENT || errno == ENOTDIR) return;
            ok_ = false;
            message_ = "Cannot lock " + lockPath_.string() + ": " + std::strerror(errno);
            return;
        }
        int locked;
        while ((locked = ::flock(fd_, LOCK_EX | LOCK_NB)) != 0 && (errno == EWOULDBLOCK || errno == EINTR)) {
            if (std::chrono::steady_clock::now() >= deadline) {
                ::close(fd_);
                fd_ = -1;
                ok_ = false;
                message_ = "Cannot save " + dataFile.string() + ": another copy of the program has been saving it for " +
                           std::to_string((wait.count() + 999) / 1000) +
                           " seconds (it holds the lock file " + lockPath_.string() + "); nothing was changed.";
                return;
            }
            SleepMilliseconds(5);
        }
        if (locked != 0) {  // a file system without locks: go on unlocked
            ::close(fd_);
            fd_ = -1;
            return;
        }
        // The holder before removed the lock file as it let go: this lock is on a file nobody else
        // will find, so take the one now at the path.
        struct stat held {}, atPath {};
        if (::fstat(fd_, &held) == 0 && ::lstat(lockPath_.c_str(), &atPath) == 0 &&
            held.st_dev == atPath.st_dev && held.st_ino == atPath.st_ino) {
            return;
        }
        ::close(fd_);
        fd_ = -1;
    }
}

DataFileLock::~DataFileLock() {
    if (fd_ < 0) return;
    // Removed while still held: a waiter that then gets the lock on this file sees it gone and
    // takes the path's new one.
    ::unlink(lockPath_.c_str());
    ::close(fd_);
}

// ---- Leftovers ----------------------------------------------------------------------------------

int RemoveStaleTemporaryFiles(const fs::path& folder) {
    int removed = 0;
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!IsTempName(name)) continue;
        // Opened without following a link; a link is never a replacement's file.
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        std::error_code timeError;
        const auto written = it->last_write_time(timeError);
        // A writer holds its file's lock until it renames or removes it.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && !timeError && now - written >= UnheldGrace &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(it->path().c_str()) == 0) {
            ++removed;
        }
        ::close(fd);
    }
    return removed;
}

}  // namespace orrerion
