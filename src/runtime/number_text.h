#pragma once
// Numbers written by hand in the data files and Settings.ini. They are read as
// the standard conversions read them (leading white space and a sign accepted,
// reading stops at the first character that cannot go on with the number), but
// a text that holds no number, or one that does not fit, is not an error to
// throw: the caller hears "no value" and decides what stands in for it.
#include <optional>
#include <string>

namespace drovil {

// A whole number that fits 32 bits; "12abc" reads 12, "abc" and
// "99999999999" read nothing.
std::optional<int> parseIntText(const std::string& text);

// A finite float. A decimal comma reads as a decimal point ("1,5" is 1.5), as
// players of many countries write it; "nan", "inf" and values beyond the float
// range ("1e39") read nothing.
std::optional<float> parseFloatText(const std::string& text);

// What a reader of the text would be surprised by, or empty when the text is a
// plain number of the kind: "12abc" reads 12 and ignores "abc"; "1,5" uses a
// decimal comma. For the data checker.
std::string numberTextRemark(const std::string& text, bool wholeNumber);

} // namespace drovil
