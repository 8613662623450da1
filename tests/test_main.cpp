// Test entry point. Runs under a locale with a decimal comma when the machine has one, so that
// any dependence of the number code on the locale shows up as a failure.
#include <clocale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "C.UTF-8"})
        if (std::setlocale(LC_ALL, name) != nullptr) break;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
