#pragma once
// Fills a value into a text from Lang.dat. Translators write these texts, so a
// text is never used as a printf format: exactly one placeholder of the kind
// the caller supplies is replaced, and everything else is copied as written.
//
// - The string form replaces the first "%s"; the integer form the first "%d"
//   or "%i" (whichever comes first) with the value in plain decimal.
// - "%%" is a literal percent sign, wherever it stands.
// - Any other '%' sequence (other conversions such as "%n" or "%f", widths and
//   flags such as "%999999d", a second placeholder, a lone '%' at the end) is
//   copied literally.
// - A text without a placeholder of the expected kind comes back unchanged
//   (apart from "%%"), without the value.
#include <string>
#include <string_view>
#include <vector>

namespace drovil {

std::string formatLangText(const std::string& format, const std::string& value);
std::string formatLangText(const std::string& format, int value);
// The same into `out` (cleared first), which keeps its room: for a text made
// again and again.
void formatLangTextInto(std::string& out, const std::string& format, std::string_view value);

// The '%' sequences of a text other than "%%", in order ("%s", "%d", "%f"...;
// a lone '%' at the end as "%"): two texts fill the same values the same way
// exactly when these agree.
std::vector<std::string> langPlaceholders(const std::string& text);

} // namespace drovil
