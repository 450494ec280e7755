#include "scenarios/career_book.h"

#include <cstdio>
#include <fstream>
#include <iomanip>
#include <sstream>

namespace sim {

const char* careerOutcomeName(CareerOutcome outcome) {
    switch (outcome) {
    case CareerOutcome::Completed:
        return "completed";
    case CareerOutcome::Lost:
        return "lost";
    case CareerOutcome::Died:
        return "died";
    case CareerOutcome::Aborted:
        return "aborted";
    case CareerOutcome::Failed:
        return "failed";
    }
    return "?";
}

namespace {
// Each line of the book, its first word read and the rest of its words left to `onEntry`.
template <class OnEntry>
void readEntries(const std::filesystem::path& file, OnEntry onEntry) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string what;
        if (words >> what)
            onEntry(what, words);
    }
}
} // namespace

CareerBook::CareerBook(const std::filesystem::path& gameFolder) : file_(gameFolder / "career.txt") {
    readEntries(file_, [this](const std::string& what, std::istringstream& words) {
        int cents = 0;
        if (what == "paid" && words >> cents) {
            paidCents_ += cents;
            ++payments_;
        }
    });
}

std::map<int, CareerOutcome> CareerBook::outcomes() const {
    std::map<int, CareerOutcome> outcomes;
    readEntries(file_, [&outcomes](const std::string& what, std::istringstream& words) {
        int id = -1, setting = -1, outcome = -1;
        // A line cut short by a kill has no outcome yet: the mission counts as
        // one that ended while the game was down.
        if (what == "ended" && words >> id >> setting >> outcome && outcome >= 0 && outcome < careerOutcomeCount)
            outcomes[id] = static_cast<CareerOutcome>(outcome);
    });
    return outcomes;
}

void CareerBook::append(const std::string& line) {
    // Each line is handed to the system at once: a kill right after loses nothing.
    std::ofstream out(file_, std::ios::app);
    out << line << '\n';
    out.flush();
}

void CareerBook::recordEnded(int missionId, int settingId, CareerOutcome outcome) {
    append("ended " + std::to_string(missionId) + " " + std::to_string(settingId) + " " +
           std::to_string(static_cast<int>(outcome)));
}

void CareerBook::recordPaid(int cents) {
    paidCents_ += cents;
    ++payments_;
    append("paid " + std::to_string(cents));
}

void CareerBook::printTable(std::ostream& out, const std::map<std::string, Row>& rows) {
    out << "  " << std::left << std::setw(20) << "setting";
    for (int o = 0; o < careerOutcomeCount; ++o)
        out << std::right << std::setw(10) << careerOutcomeName(static_cast<CareerOutcome>(o));
    out << std::setw(8) << "all" << "\n";
    Row totals;
    for (const auto& [setting, row] : rows) {
        int all = 0;
        out << "  " << std::left << std::setw(20) << setting;
        for (int o = 0; o < careerOutcomeCount; ++o) {
            out << std::right << std::setw(10) << row.outcomes[static_cast<std::size_t>(o)];
            totals.outcomes[static_cast<std::size_t>(o)] += row.outcomes[static_cast<std::size_t>(o)];
            all += row.outcomes[static_cast<std::size_t>(o)];
        }
        out << std::setw(8) << all << "\n";
    }
    int all = 0;
    out << "  " << std::left << std::setw(20) << "all settings";
    for (int o = 0; o < careerOutcomeCount; ++o) {
        out << std::right << std::setw(10) << totals.outcomes[static_cast<std::size_t>(o)];
        all += totals.outcomes[static_cast<std::size_t>(o)];
    }
    out << std::setw(8) << all << "\n";
}

} // namespace sim
