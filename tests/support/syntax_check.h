#pragma once
// Strict checks of the text formats the simulator writes for other tools, kept
// apart from the code that writes them: a JSON document (RFC 8259, valid
// UTF-8) and a well-formed XML document (one root, matched tags, quoted
// attributes, known entities).
#include <string>

namespace test {

// True when `text` is exactly one JSON value; otherwise false with `error`
// naming the byte where it went wrong.
bool isJson(const std::string& text, std::string& error);
// True when `text` is a well-formed XML document; `error` as above.
bool isWellFormedXml(const std::string& text, std::string& error);

} // namespace test
