// The two ways this program replaces a file: a user's file (durable, never harmed by a failed
// write) and a workspace file (private, lives only while the program runs).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "data/message.hpp"

namespace sidewalk {

// Whether the user agreed to replace a file that needs a question first (ReplaceQuestion).
enum class Replace { Unasked, Confirmed };

// Replaces a user's file only once its new content is wholly on disk. The content goes to a new
// file beside the target (made with mode 0666 less the umask, or with the old file's mode and
// group), is flushed, renamed over the target, and the rename is flushed. A symbolic link is
// followed: the file it points to is replaced. Refused at once, with the old file untouched:
// anything but a regular file (a pipe, a device, a socket, a folder: never waited on), another
// user's file, and unless confirmed a read-only file or one with other names (hard links). On
// success the target holds exactly content; on any failure the old file is untouched, the new
// file is removed, and a "File Output Error" names the target and the reason. The new file is
// hidden, named by the target and "sidewalk-save-", and locked until renamed; a save killed
// half-way leaves at most that one file, which the next save to the target removes.
Status WriteFileAtomically(const std::filesystem::path& target, std::string_view content,
                           Replace replace = Replace::Unasked);

// The same for content made while it is written: content(fd) writes it to the open new file
// and returns 0, or the system's error number, which fails the write as above.
using ContentWriter = std::function<int(int fd)>;
Status WriteFileAtomically(const std::filesystem::path& target, const ContentWriter& content,
                           Replace replace = Replace::Unasked);

// The question to ask before a save writes over target, when it needs one: a read-only file, or
// one with other names (hard links), which would keep the old content. Empty when none.
std::string ReplaceQuestion(const std::filesystem::path& target);

// The file at target is another user's: a save never writes over it.
bool BelongsToAnotherUser(const std::filesystem::path& target);

// entry is the name of a file a save or a workspace write makes beside the file name.
bool IsTemporaryFileOf(std::string_view entry, std::string_view name);

// How long a workspace file must last: scratch lives only while the program runs; durable is the
// work kept for recovery, which must outlive a power cut.
enum class Keep { Scratch, Durable };

// Writes a file of the private workspace. The content goes to a new file beside it (a scratch
// file not there yet is written under its own name) and is renamed over the old one, so that the
// name holds the old content or the new at every instant, never none. A durable file is flushed
// to disk, and so is its rename. On failure a "File Output Error" names the file and the reason,
// the old file is untouched, and what was written is removed.
Status ReplaceWorkspaceFile(const std::filesystem::path& path, std::string_view content,
                            Keep keep = Keep::Scratch);

// The same for the file name of the folder open as dir (folder, ending with "/", names it in
// messages): the file is made, written, renamed and removed through that descriptor only.
Status ReplaceFileAt(int dir, const std::string& folder, const std::string& name,
                     std::string_view content, Keep keep);

} // namespace sidewalk
