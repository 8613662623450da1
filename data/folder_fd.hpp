// A folder's entries read and removed through an open descriptor of the folder, so that a name
// swapped for a link meanwhile can never lead a removal into another folder.
#pragma once

#include <string>
#include <vector>

namespace sidewalk {

// The names in the folder open as dirFd, but . and ..; none when it cannot be read.
std::vector<std::string> EntriesAt(int dirFd);

// Removes everything in the folder open as dirFd: files and links are unlinked (a link, never
// what it points to), folders emptied the same way through their own descriptors and removed.
void EmptyFolderAt(int dirFd);

// Removes the folder at path, open as dirFd: its entries, then the folder itself when path still
// names a folder (a link put in its place is not followed, and stays).
void RemoveFolderAt(const std::string& path, int dirFd);

} // namespace sidewalk
