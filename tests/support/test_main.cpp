// Test entry point. Numbers are read and written under a locale with a decimal comma (only
// LC_NUMERIC is switched), so that any dependence of the number code on the locale fails a test.
#include <clocale>

#include <gtest/gtest.h>

namespace {

// ./run test makes de_DE.UTF-8 (Debian's locales); a test checks that it was taken.
constexpr const char* kCommaLocales[] = {"de_DE.UTF-8", "de_DE.utf8"};

} // namespace

int main(int argc, char** argv) {
    for (const char* name : kCommaLocales)
        if (std::setlocale(LC_NUMERIC, name) != nullptr) break;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
