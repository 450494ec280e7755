#include "runtime/text_lines.h"

namespace drovil {

void readTextLine(std::istream& in, std::string& line) {
    std::getline(in, line);
#ifndef _WIN32
    // Stopped at a line feed (not at the end of the file) right after a carriage return.
    if (!in.eof() && !line.empty() && line.back() == '\r')
        line.pop_back();
#endif
}

void dropByteOrderMark(std::string& firstLine) {
    if (firstLine.compare(0, 3, "\xEF\xBB\xBF") == 0)
        firstLine.erase(0, 3);
}

std::vector<std::string> splitPieces(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

std::string quotedForLog(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    std::size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut) + "[...]";
}

std::string cannotParseLineMessage(const std::string& line, int lineNumber, const std::string& path) {
    return "cannot parse line: " + quotedForLog(line) +
           ", please make sure it is assembled of the correct format (<setting_name>=<settings_value>). (" + path +
           " line " + std::to_string(lineNumber) + ", " + std::to_string(line.size()) + " bytes)";
}

} // namespace drovil
