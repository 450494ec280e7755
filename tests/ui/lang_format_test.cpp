// Filling values into translators' texts: one placeholder of the expected kind
// is replaced and everything else stands as written, however hostile the text.
#include "ui/lang_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using drovil::formatLangText;

TEST(LangFormat, FillsTheOnePlaceholderOfEachForm) {
    EXPECT_EQ(formatLangText("You earned %s.", std::string("$12.50")), "You earned $12.50.");
    EXPECT_EQ(formatLangText("%s", std::string("Valentine")), "Valentine");
    EXPECT_EQ(formatLangText("Contract #%d accepted", 42), "Contract #42 accepted");
    EXPECT_EQ(formatLangText("%i left", -7), "-7 left");
    EXPECT_EQ(formatLangText("%d", INT_MIN), std::to_string(INT_MIN));
}

TEST(LangFormat, OnlyTheFirstPlaceholderOfTheExpectedKindIsFilled) {
    EXPECT_EQ(formatLangText("%s%s%s", std::string("x")), "x%s%s");
    EXPECT_EQ(formatLangText("%d and %i", 5), "5 and %i");
    EXPECT_EQ(formatLangText("%i and %d", 5), "5 and %d");
    // The other form's placeholders are not ours to fill.
    EXPECT_EQ(formatLangText("%d dollars in %s", std::string("Rhodes")), "%d dollars in Rhodes");
    EXPECT_EQ(formatLangText("%s owes %d", 3), "%s owes 3");
}

TEST(LangFormat, HostileSequencesStandAsWritten) {
    EXPECT_EQ(formatLangText("%n%n%n", std::string("v")), "%n%n%n");
    EXPECT_EQ(formatLangText("paid %n", 10), "paid %n");
    EXPECT_EQ(formatLangText("%999999d", 1), "%999999d");
    EXPECT_EQ(formatLangText("%999999s", std::string("v")), "%999999s");
    EXPECT_EQ(formatLangText("%.*s %*d %p %x %f %lld", std::string("v")), "%.*s %*d %p %x %f %lld");
    EXPECT_EQ(formatLangText("100%", 3), "100%");
    EXPECT_EQ(formatLangText("%", std::string("v")), "%");
    EXPECT_EQ(formatLangText("", 3), "");
    // A value that itself looks like a format is copied, not interpreted.
    EXPECT_EQ(formatLangText("Hello %s!", std::string("%n%s%d")), "Hello %n%s%d!");
}

TEST(LangFormat, DoublePercentIsOnePercentSign) {
    EXPECT_EQ(formatLangText("%d%% of the bounty", 50), "50% of the bounty");
    EXPECT_EQ(formatLangText("%%s is not a placeholder: %s", std::string("v")), "%s is not a placeholder: v");
    EXPECT_EQ(formatLangText("%%%d", 7), "%7");
    EXPECT_EQ(formatLangText("%%%", 7), "%%");
}

TEST(LangFormat, TextWithoutPlaceholderComesBackWithoutTheValue) {
    EXPECT_EQ(formatLangText("Contract completed", std::string("$5.00")), "Contract completed");
    EXPECT_EQ(formatLangText("No number here", 12), "No number here");
}

TEST(LangFormat, LongTextsAndValuesAreNotCut) {
    const std::string longText(5000, 'a');
    const std::string longValue(3000, 'b');
    EXPECT_EQ(formatLangText(longText + "%s" + longText, longValue), longText + longValue + longText);
    std::string manyPercents;
    for (int i = 0; i < 1000; ++i)
        manyPercents += "%n%s ";
    const std::string result = formatLangText(manyPercents, std::string("v"));
    EXPECT_EQ(result.substr(0, 10), "%nv %n%s %");
    EXPECT_EQ(result.size(), manyPercents.size() - 1);
}
