// The simulator's kept records: the latest N, oldest first, in slots taken up
// front, reused as new entries go over the oldest.
#include "world/core/kept_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Callers search, count and walk records backwards as they did vectors.
static_assert(std::random_access_iterator<sim::KeptRecords<int>::const_iterator>);

struct Entry {
    int number = 0;
    std::string text;
};

std::vector<int> numbersOf(const sim::KeptRecords<Entry>& records) {
    std::vector<int> numbers;
    for (const Entry& entry : records)
        numbers.push_back(entry.number);
    return numbers;
}

TEST(KeptRecords, KeepsTheLatestOldestFirstAcrossWrapAround) {
    sim::KeptRecords<Entry> records(4);
    EXPECT_TRUE(records.empty());
    EXPECT_EQ(records.begin(), records.end());
    for (int i = 0; i < 3; ++i)
        records.push_back({i, "entry " + std::to_string(i)});
    EXPECT_EQ(numbersOf(records), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(records.back().number, 2);

    for (int i = 3; i < 10; ++i)
        records.push_back({i, "entry " + std::to_string(i)});
    EXPECT_EQ(records.size(), 4u);
    EXPECT_EQ(records.total(), 10u);
    EXPECT_EQ(numbersOf(records), (std::vector<int>{6, 7, 8, 9}));
    EXPECT_EQ(records[0].number, 6);
    EXPECT_EQ(records.front().text, "entry 6");
    EXPECT_EQ(records.back().number, 9);

    // What callers do with a record: search it, count in it, read it backwards.
    auto found = std::find_if(records.begin(), records.end(), [](const Entry& e) { return e.text == "entry 8"; });
    ASSERT_NE(found, records.end());
    EXPECT_EQ(found - records.begin(), 2);
    EXPECT_EQ(found->number, 8);
    EXPECT_EQ(std::count_if(records.begin(), records.end(), [](const Entry& e) { return e.number % 2 == 0; }), 2);
    std::vector<int> backwards;
    for (auto it = records.rbegin(); it != records.rend(); ++it)
        backwards.push_back(it->number);
    EXPECT_EQ(backwards, (std::vector<int>{9, 8, 7, 6}));
    EXPECT_EQ(records.end() - records.begin(), 4);
    EXPECT_EQ(records.begin()[3].number, 9);
}

TEST(KeptRecords, EntriesKeepTheirNumberAmongAllEverKept) {
    sim::KeptRecords<Entry> records(3);
    std::size_t readUpTo = 0;
    std::vector<int> read;
    // A reader that follows by number reads every entry once, however the ring turns.
    for (int i = 0; i < 11; ++i) {
        records.push_back({i * 10, ""});
        for (; readUpTo < records.total(); ++readUpTo)
            read.push_back(records.numbered(readUpTo).number);
    }
    EXPECT_EQ(read.size(), 11u);
    EXPECT_EQ(read.back(), 100);
    EXPECT_FALSE(records.holds(7)) << "gone: only the latest three are kept";
    EXPECT_TRUE(records.holds(8));
    EXPECT_TRUE(records.holds(10));
    EXPECT_FALSE(records.holds(11)) << "not yet kept";
    EXPECT_EQ(records.numbered(8).number, 80);
    records.numbered(9).text = "changed in place";
    EXPECT_EQ(records[1].text, "changed in place");
}

TEST(KeptRecords, SlotsPreparedUpFrontReuseTheirBuffers) {
    sim::KeptRecords<Entry> records(2, [](Entry& slot) { slot.text.reserve(100); });
    ASSERT_EQ(records.capacity(), 2u);
    // Fill both slots, note where their characters live, then turn the ring many times.
    const std::string longText(80, 'x'); // far beyond any short-string buffer
    records.push_back({0, longText});
    records.push_back({1, longText});
    const char* slotA = records[0].text.data();
    const char* slotB = records[1].text.data();
    for (int i = 2; i < 50; ++i)
        records.push_back({i, std::string(static_cast<std::size_t>(40 + i), 'a' + static_cast<char>(i % 26))});
    const std::vector<const char*> now = {records.numbered(48).text.data(), records.numbered(49).text.data()};
    EXPECT_EQ(now[0], slotA) << "a slot's string reuses the buffer prepared for it";
    EXPECT_EQ(now[1], slotB);
    EXPECT_EQ(records.back().text, std::string(89, 'a' + 49 % 26));
}

} // namespace
