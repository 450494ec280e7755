#pragma once
// The string literals of the plug-in's source, each with the code of its
// statement before it, so that a test can tell which keys, settings, events
// and decorators the code names and through which call.
#include <filesystem>
#include <string>
#include <vector>

namespace drovil::testing {

struct SourceLiteral {
    std::string file; // relative to the source root: "src/ui/text.cpp"
    int line = 0;
    std::string text;   // the literal's characters, escapes as written
    std::string before; // the statement's code up to the literal, comments left out
    std::string where() const { return file + ":" + std::to_string(line); }
};

// Every string literal of the .cpp and .h files under `root`/`tree` (the
// plug-in's src, or the simulator's sim), not in comments or preprocessor lines.
std::vector<SourceLiteral> sourceLiterals(const std::filesystem::path& root, const char* tree = "src");

// The files under `root`/src whose code contains `text`, relative to the root.
std::vector<std::string> sourceFilesContaining(const std::filesystem::path& root, const std::string& text);

} // namespace drovil::testing
