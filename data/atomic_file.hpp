// The two ways this program replaces a file: a user's file (durable, never harmed by a failed
// write) and a workspace file (private, lives only while the program runs).
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "data/message.hpp"

namespace sidewalk {

// Replaces a user's file only once its new content is wholly on disk. The content goes to a new
// file beside the target (made with mode 0666 less the umask, or with the old file's mode), is
// flushed, renamed over the target, and the rename is flushed. A symbolic link is followed: the
// file it points to is replaced. A device or pipe is written directly. On success the target
// holds exactly content; on any failure the old file is untouched, the new file is removed, and
// a "File Output Error" names the target and the system's reason. A save killed half-way leaves
// at most its one hidden file beside the target; the next save to it removes such leftovers.
Status WriteFileAtomically(const std::filesystem::path& target, std::string_view content);

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

} // namespace sidewalk
