#include "tools/source_literals.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace drovil::testing {
namespace fs = std::filesystem;
namespace {

std::vector<fs::path> sourceFiles(const fs::path& root, const char* tree = "src") {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root / tree)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".cpp" || extension == ".h"))
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Walks one file: comments and preprocessor lines skipped, literals collected
// with their statement so far (which restarts after ';', '{' and '}').
void scan(const std::string& source, const std::string& name, std::vector<SourceLiteral>& literals) {
    std::string statement;
    int line = 1;
    bool lineStart = true;
    for (std::size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (c == '\n') {
            ++line;
            lineStart = true;
            statement += ' ';
            continue;
        }
        if (lineStart && c == '#') {
            while (i + 1 < source.size() && source[i + 1] != '\n')
                ++i;
            continue;
        }
        if (c != ' ' && c != '\t')
            lineStart = false;
        if (c == '/' && i + 1 < source.size() && source[i + 1] == '/') {
            while (i + 1 < source.size() && source[i + 1] != '\n')
                ++i;
            continue;
        }
        if (c == '/' && i + 1 < source.size() && source[i + 1] == '*') {
            for (i += 2; i + 1 < source.size() && !(source[i] == '*' && source[i + 1] == '/'); ++i)
                if (source[i] == '\n')
                    ++line;
            ++i;
            continue;
        }
        if (c == '"' || c == '\'') {
            const int startLine = line;
            std::string text;
            for (++i; i < source.size() && source[i] != c; ++i) {
                if (source[i] == '\\' && i + 1 < source.size())
                    text += source[i++];
                if (source[i] == '\n')
                    ++line;
                text += source[i];
            }
            if (c == '"')
                literals.push_back({name, startLine, text, statement});
            statement += c + text + c;
            continue;
        }
        if (c == ';' || c == '{' || c == '}') {
            statement.clear();
            continue;
        }
        statement += c;
    }
}

} // namespace

std::vector<SourceLiteral> sourceLiterals(const fs::path& root, const char* tree) {
    std::vector<SourceLiteral> literals;
    for (const fs::path& file : sourceFiles(root, tree))
        scan(contentsOf(file), fs::relative(file, root).generic_string(), literals);
    return literals;
}

std::vector<std::string> sourceFilesContaining(const fs::path& root, const std::string& text) {
    std::vector<std::string> files;
    for (const fs::path& file : sourceFiles(root))
        if (contentsOf(file).find(text) != std::string::npos)
            files.push_back(fs::relative(file, root).generic_string());
    return files;
}

} // namespace drovil::testing
