#include "support/key_value_edit.h"

#include <sstream>

namespace test {

std::string withValue(const std::string& text, const std::string& key, const std::string& value) {
    std::istringstream in(text);
    std::string result;
    bool replaced = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(key + "=", 0) == 0) {
            result += key + "=" + value + "\n";
            replaced = true;
        } else {
            result += line + "\n";
        }
    }
    return replaced ? result : result + key + "=" + value + "\n";
}

} // namespace test
