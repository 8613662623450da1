// Small helpers shared by the core tests: card text and a workspace of their own.
#pragma once

#include <cctype>
#include <ostream>
#include <string>
#include <string_view>

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

// Names a TEST_P row by its `name` field, anything but letters and digits made "_".
struct RowName {
    template <typename Row> std::string operator()(const testing::TestParamInfo<Row>& row) const {
        std::string name = row.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    }
};

inline Workspace MakeWorkspace() {
    auto ws = Workspace::Create();
    if (!ws) ADD_FAILURE() << ws.error().text;
    return std::move(*ws); // throws, and so fails the test, rather than read nothing
}

} // namespace sidewalk::test

namespace sidewalk {
namespace {

// A TEST_P row prints as its name, in failures and in the test list.
template <typename Row>
    requires requires(const Row& r) { std::string_view(r.name); }
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

} // namespace
} // namespace sidewalk
