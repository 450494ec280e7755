#include "ui/lang_text.h"

#include "runtime/data_files.h"
#include "runtime/log.h"

#include <set>

namespace drovil {

const std::string& langText(const std::string& key) {
    const std::string& text = langFile().getString(key);
    if (text.empty()) {
        static auto* reported = new std::set<std::string>();
        if (reported->insert(key).second)
            log("Lang.dat has no text for key: " + key + ", nothing is shown for it");
    }
    return text;
}

} // namespace drovil
