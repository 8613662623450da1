// The program's version numbers and comment, as the version record and the About window show them.
#pragma once

#include <string>

namespace sidewalk {

inline constexpr int kVersionMajor = 4;
inline constexpr int kVersionMinor = 2;
inline constexpr int kVersionRevision = 0;
inline constexpr const char* kVersionComment = "04/2006";

// "4.2.0": the version the commands' --version and the package give.
inline std::string VersionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

// "ZARN V4.2.0 04/2006": the only line of VERSION.TMP, printed in every page header.
inline std::string VersionLine() {
    return "ZARN V" + VersionText() + " " + kVersionComment;
}

} // namespace sidewalk
