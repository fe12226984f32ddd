#include "TestMain.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// Filled by static initialisers, before main runs: a function-local table has no order problem.
std::map<std::string, TestMain::Runner> &runners()
{
    static std::map<std::string, TestMain::Runner> table;
    return table;
}

std::string testName(const char *sourceFile)
{
    const char *slash = std::strrchr(sourceFile, '/');
    std::string name = slash ? slash + 1 : sourceFile;
    const std::string::size_type dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

bool TestMain::add(const char *sourceFile, Runner runner)
{
    return runners().emplace(testName(sourceFile), runner).second;
}

int main(int argc, char *argv[])
{
    const auto found = argc > 1 ? runners().find(argv[1]) : runners().end();
    if (found == runners().end()) {
        std::fprintf(stderr, "usage: %s <test> [Qt Test options]\ntests:\n", argv[0]);
        for (const auto &entry : runners())
            std::fprintf(stderr, "  %s\n", entry.first.c_str());
        return 2;
    }
    // Qt Test sees the program name and its own options, not the test's name.
    std::vector<char *> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    arguments.push_back(nullptr);
    return found->second(argc - 1, arguments.data());
}
