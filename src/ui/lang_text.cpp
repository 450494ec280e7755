#include "ui/lang_text.h"

#include "runtime/data_files.h"
#include "runtime/log.h"

#include <set>

namespace drovil {

const std::string& langText(std::string_view key) {
    const std::string& text = langFile().getString(key);
    if (text.empty()) {
        static auto* reported = new std::set<std::string, std::less<>>();
        if (reported->find(key) == reported->end()) {
            reported->emplace(key);
            log("Lang.dat has no text for key: " + std::string(key) + ", nothing is shown for it");
        }
    }
    return text;
}

} // namespace drovil
