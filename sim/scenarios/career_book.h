#pragma once
// The career's books: every contract it ended with its setting and how it
// ended, and every payment the player's purse received. They are kept in the
// game folder beside Drovil/ (career.txt), appended a line at a time, so that a
// game killed at any moment and started again on the same folder goes on with
// the same career and its sums still add up.
#include <array>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace sim {

enum class CareerOutcome {
    Completed, // the target taken down and the getaway made: paid
    Lost,      // deliberately left behind until the contract was lost
    Died,      // the player was killed during the contract
    Aborted,   // abandoned from the contract menu
    Failed,    // the player's hunt went wrong and the contract was lost
};
inline constexpr int careerOutcomeCount = 5;
const char* careerOutcomeName(CareerOutcome outcome);

class CareerBook {
public:
    // Reads the books of an earlier launch on the same folder, if any.
    explicit CareerBook(const std::filesystem::path& gameFolder);

    void recordEnded(int missionId, int settingId, CareerOutcome outcome);
    void recordPaid(int cents);

    // The outcomes the books hold, by mission (read from the file: a career's
    // book grows with every contract, and stays on disk until it is read). A
    // mission that ended while the game was down has none.
    std::map<int, CareerOutcome> outcomes() const;
    int paidCents() const { return paidCents_; }
    int payments() const { return payments_; }

    // Counts by setting and outcome, for the table.
    struct Row {
        std::array<int, careerOutcomeCount> outcomes{};
    };
    // The table: one row a setting (by its name), a column an outcome, totals last.
    static void printTable(std::ostream& out, const std::map<std::string, Row>& rows);

private:
    void append(const std::string& line);

    std::filesystem::path file_;
    int paidCents_ = 0;
    int payments_ = 0;
};

} // namespace sim
