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

// Writes a file of the private workspace; nothing is flushed to disk. A file that does not exist
// yet is created under its name and written. An existing file is replaced: the content goes to a
// new file beside it, the old file is unlinked and the new one renamed into place (renaming over
// a file with data makes ext4 write it out at once, which costs more than a report run). On
// success the file holds exactly content. On failure a "File Output Error" names the file and
// the reason, and what was written is removed: an old file is still there, unless the failure
// was the final rename, after which the file is missing. A partial file is never left behind.
Status ReplaceWorkspaceFile(const std::filesystem::path& path, std::string_view content);

} // namespace sidewalk
