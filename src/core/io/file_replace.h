#pragma once
// The one way the program replaces a file: the new content goes into a temporary file created
// beside the target (exclusively, under an unpredictable name, never through a link), is flushed,
// synced where it must survive a power cut, and renamed over the target. Readers see the old file
// or the new one, never half of either; on any failure the target is untouched and the temporary
// file is gone. The replaced file's mode (and, where the process may set it, its owner) carries
// over to the new one; a new file gets the mode the umask gives.
//
// Only a missing target or a regular file is replaced. A character device, a FIFO or a terminal
// (/dev/null, /dev/stdout) is written through, as a shell's ">" would; a symbolic link is never
// replaced: the regular file it leads to is replaced in its own folder, a device or FIFO it leads
// to is written through, anything else is refused. The name "-" stands for standard output.
//
// Also here: the advisory lock that serialises the read-modify-write of a data file, and the
// removal of what killed writers left. The operating system's file calls of the program live in
// this file's source and its sibling file_set.cpp.
#include <chrono>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace orrerion {

struct WriteResult {
    bool ok = true;
    std::string message;  // names the path and the system's reason when !ok
};

enum class Durability {
    Flushed,  // handed to the system: survives the program, not necessarily a power cut
    Synced,   // forced to disk, and the folder's entry too, before the replacement counts as done
};

// The output name that stands for standard output.
inline constexpr std::string_view StandardOutputName = "-";

// A replacement of `target` being written. Write() collects the content (large pieces go straight
// to the file);
// Commit() finishes it and renames it over the target. A replacement that is never committed, or
// whose commit fails, leaves the target as it was and removes its temporary file. A target that is
// written through (a device, a FIFO, standard output) gets the content as it is written; Publish()
// has nothing left to do for it.
//
// A set of files that must change together is written with Finish() on each (the content is
// complete and closed, the targets untouched), then Publish() on each: the renames follow one
// another, so the targets hold either all old or all new content but for the moment of renaming.
// (FileSetGeneration publishes a set of files at one stroke.)
class FileReplacement {
public:
    // `shownAs`: the path the messages name, when the file is written somewhere other than where
    // readers find it (a file of a set being written into its generation folder).
    explicit FileReplacement(std::filesystem::path target, Durability durability = Durability::Flushed,
                             std::filesystem::path shownAs = {});
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    FileReplacement(FileReplacement&& other) noexcept;
    FileReplacement& operator=(FileReplacement&& other) = delete;

    // Appends bytes; a failure is remembered and reported by Finish() or Commit().
    void Write(std::string_view bytes);

    // Writes what is buffered, syncs when asked and closes the temporary file.
    WriteResult Finish();
    // Renames the finished temporary file over the target.
    WriteResult Publish();
    // Finish() then Publish().
    WriteResult Commit();

    const std::filesystem::path& target() const { return target_; }
    // True when the content goes straight to the target (a device, a FIFO, standard output).
    bool writesThrough() const { return through_; }

private:
    void OpenThrough(int fd);
    void CreateTemporary();
    void Flush();
    void WriteAll(const char* bytes, std::size_t size);
    WriteResult Failure(const std::string& reason);
    void Discard();

    std::filesystem::path target_;       // as given
    std::filesystem::path shown_;        // what messages name
    std::filesystem::path destination_;  // what the rename replaces: the target, or where its link leads
    std::filesystem::path temp_;
    Durability durability_;
    int fd_ = -1;
    int lockFd_ = -1;  // holds the temporary file's lock until it is renamed or removed
    int error_ = 0;    // errno of the first failure
    std::string refusal_;  // why the target is not written at all, when no errno says it
    std::string buffer_;
    bool through_ = false;
    bool finished_ = false;
    bool published_ = false;
};

// Publishes a set of finished replacements in order, so that their targets hold either all the old
// or all the new content but for the moment of renaming. A target that is a folder fails the set
// before anything is renamed; any other failed rename stops the publishing there.
WriteResult PublishTogether(std::span<FileReplacement* const> files);

// Replaces `target` with `content` in one go.
WriteResult ReplaceFile(const std::filesystem::path& target, std::string_view content,
                        Durability durability = Durability::Flushed);

// How long a save waits for another copy of the program that is saving the same data file.
inline constexpr std::chrono::milliseconds DataFileLockWait{10000};

// An advisory lock (flock) on the lock file beside a data file (".NAMES.FIL.lock" beside
// NAMES.FIL), held from the read of the file to the rename of its replacement, so that two copies
// of the program saving the same file one after the other each see the other's records. A second
// writer waits up to `wait`, then fails with a message naming the file. Where no lock file can be
// made (a folder that cannot be written), the save goes on unlocked and fails there with its own
// reason. The lock file is removed when the lock is let go.
class DataFileLock {
public:
    explicit DataFileLock(const std::filesystem::path& dataFile,
                          std::chrono::milliseconds wait = DataFileLockWait);
    ~DataFileLock();
    DataFileLock(const DataFileLock&) = delete;
    DataFileLock& operator=(const DataFileLock&) = delete;

    bool ok() const { return ok_; }
    const std::string& message() const { return message_; }  // why !ok

private:
    std::filesystem::path lockPath_;
    int fd_ = -1;
    bool ok_ = true;
    std::string message_;
};

// Removes the temporary files that replacements in `folder` left behind when a writer was killed:
// those that no running writer holds (each writer holds a lock on its temporary file until it
// renames or removes it) and that have not been written for a few seconds. A live writer's file is
// never touched, however long it pauses. Returns how many were removed. (RemoveStaleReplacements
// in file_set.h also clears what interrupted file sets left.)
int RemoveStaleTemporaryFiles(const std::filesystem::path& folder);

}  // namespace orrerion
