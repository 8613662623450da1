// Replaces a file only once its new content is wholly on disk: the content goes to a new file
// beside the target, which is flushed and then renamed over it. On any failure the old file is
// untouched and the partial file removed.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "data/message.hpp"

namespace sidewalk {

enum class Durability {
    Synced,   // flushed to the disk before the rename: the user's data files
    Workspace // left to the system's cache: files that live only while the program runs
};

// Returns nothing on success, else a "File Output Error" naming the file and the system's reason.
std::optional<Message> WriteFileAtomically(const std::filesystem::path& target,
                                           std::string_view content,
                                           Durability durability = Durability::Synced);

} // namespace sidewalk
