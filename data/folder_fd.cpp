// Reading and emptying folders through their descriptors.
#include "data/folder_fd.hpp"

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data/descriptor.hpp"

namespace sidewalk {

std::vector<std::string> EntriesAt(int dirFd) {
    std::vector<std::string> names;
    DIR* dir = ::fdopendir(::dup(dirFd)); // its own descriptor, closed with it
    if (dir == nullptr) return names;
    ::rewinddir(dir); // a duplicate shares the position: start from the top
    while (const dirent* entry = ::readdir(dir))
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    ::closedir(dir);
    return names;
}

void EmptyFolderAt(int dirFd) {
    for (const std::string& name : EntriesAt(dirFd)) {
        struct stat st {};
        if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISDIR(st.st_mode)) {
            ::unlinkat(dirFd, name.c_str(), 0);
            continue;
        }
        const Descriptor inner(
            ::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (inner.valid()) EmptyFolderAt(inner.get());
        ::unlinkat(dirFd, name.c_str(), AT_REMOVEDIR);
    }
}

void RemoveFolderAt(const std::string& path, int dirFd) {
    EmptyFolderAt(dirFd);
    std::string name = path;
    while (name.size() > 1 && name.back() == '/') // a trailing slash would follow a link
        name.pop_back();
    ::rmdir(name.c_str());
}

} // namespace sidewalk
