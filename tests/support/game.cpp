#include "support/game.h"

#include <cstdio>
#include <sstream>

namespace test {

std::vector<std::string> logMessages(const sim::Session& session) {
    std::vector<std::string> messages;
    std::istringstream in(session.log());
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') {
            auto end = line.find("] ");
            if (end != std::string::npos)
                line = line.substr(end + 2);
        }
        messages.push_back(line);
    }
    return messages;
}

int findLog(const std::vector<std::string>& messages, const std::string& text, int from) {
    for (int i = from; i < static_cast<int>(messages.size()); ++i)
        if (messages[i].find(text) != std::string::npos)
            return i;
    return -1;
}

std::string cashText(int cents) {
    char text[32];
    std::snprintf(text, sizeof text, "$%d.%02d", cents / 100, cents % 100);
    return text;
}

bool startGame(sim::Session& session, int maxFrames) {
    return session.runUntil(
        [&] {
            return session.newLog().find("initialization complete") != std::string::npos ||
                   session.host().anyScriptFinished();
        },
        maxFrames) &&
           session.newLog().find("initialization complete") != std::string::npos;
}

} // namespace test
