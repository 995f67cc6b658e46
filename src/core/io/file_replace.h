#pragma once
// The one way the program replaces a file: the new content goes into a temporary file created
// beside the target (exclusively, under an unpredictable name, never through a link), is flushed,
// synced where it must survive a power cut, and renamed over the target. Readers see the old file
// or the new one, never half of either; on any failure the target is untouched and the temporary
// file is gone. The operating system's file calls of the program live in this file's source.
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

// A replacement of `target` being written. Write() collects the content (large pieces go straight
// to the file);
// Commit() finishes it and renames it over the target. A replacement that is never committed, or
// whose commit fails, leaves the target as it was and removes its temporary file.
//
// A set of files that must change together is written with Finish() on each (the content is
// complete and closed, the targets untouched), then Publish() on each: the renames follow one
// another, so the targets hold either all old or all new content but for the moment of renaming.
class FileReplacement {
public:
    explicit FileReplacement(std::filesystem::path target, Durability durability = Durability::Flushed);
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

private:
    void Flush();
    void WriteAll(const char* bytes, std::size_t size);
    WriteResult Failure(const std::string& reason);
    void Discard();

    std::filesystem::path target_;
    std::filesystem::path temp_;
    Durability durability_;
    int fd_ = -1;
    int error_ = 0;  // errno of the first failure
    std::string buffer_;
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

// Removes the temporary files that replacements in `folder` left behind when the program was
// killed while writing them (those older than a minute, so that a replacement still being written
// by another copy is left alone). Returns how many were removed.
int RemoveStaleReplacements(const std::filesystem::path& folder);

}  // namespace orrerion
