// Small helpers shared by the core tests: card text and a workspace of their own.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "data/workspace.hpp"
#include "files.hpp"

namespace sidewalk::test {

// Joins lines with CR LF after each.
inline std::string Cards(std::initializer_list<std::string> lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\r\n";
    return out;
}

inline Workspace MakeWorkspace() {
    auto ws = Workspace::Create();
    if (!ws) ADD_FAILURE() << ws.error().text;
    return std::move(*ws); // throws, and so fails the test, rather than read nothing
}

} // namespace sidewalk::test
