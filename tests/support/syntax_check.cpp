#include "support/syntax_check.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace test {
namespace {

bool validUtf8(const std::string& text, std::size_t& bad) {
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
        if (length == 0 || at + length > text.size() || (length == 2 && lead < 0xC2)) {
            bad = at;
            return false;
        }
        for (std::size_t i = 1; i < length; ++i)
            if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) {
                bad = at;
                return false;
            }
        at += length;
    }
    return true;
}

class JsonChecker {
public:
    explicit JsonChecker(const std::string& text) : text_(text) {}

    bool document(std::string& error) {
        std::size_t bad = 0;
        if (!validUtf8(text_, bad))
            return fail("not UTF-8", bad, error);
        space();
        if (!value())
            return fail(what_, at_, error);
        space();
        if (at_ != text_.size())
            return fail("text after the value", at_, error);
        return true;
    }

private:
    bool fail(const std::string& what, std::size_t at, std::string& error) {
        error = what + " at byte " + std::to_string(at);
        return false;
    }
    bool wrong(const char* what) {
        what_ = what;
        return false;
    }
    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    void space() {
        while (at_ < text_.size() && std::strchr(" \t\r\n", text_[at_]))
            ++at_;
    }
    bool literal(const char* word) {
        const std::size_t length = std::strlen(word);
        if (text_.compare(at_, length, word) != 0)
            return wrong("unknown word");
        at_ += length;
        return true;
    }
    bool value() {
        if (++depth_ > 64)
            return wrong("nested too deep");
        bool ok = false;
        switch (peek()) {
        case '{':
            ok = object();
            break;
        case '[':
            ok = array();
            break;
        case '"':
            ok = string();
            break;
        case 't':
            ok = literal("true");
            break;
        case 'f':
            ok = literal("false");
            break;
        case 'n':
            ok = literal("null");
            break;
        default:
            ok = number();
        }
        --depth_;
        return ok;
    }
    bool object() {
        ++at_;
        space();
        if (peek() == '}') {
            ++at_;
            return true;
        }
        for (;;) {
            space();
            if (peek() != '"')
                return wrong("a member name must be a string");
            if (!string())
                return false;
            space();
            if (peek() != ':')
                return wrong("':' expected");
            ++at_;
            space();
            if (!value())
                return false;
            space();
            if (peek() == '}') {
                ++at_;
                return true;
            }
            if (peek() != ',')
                return wrong("',' or '}' expected");
            ++at_;
        }
    }
    bool array() {
        ++at_;
        space();
        if (peek() == ']') {
            ++at_;
            return true;
        }
        for (;;) {
            space();
            if (!value())
                return false;
            space();
            if (peek() == ']') {
                ++at_;
                return true;
            }
            if (peek() != ',')
                return wrong("',' or ']' expected");
            ++at_;
        }
    }
    bool string() {
        ++at_;
        while (at_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[at_++]);
            if (c == '"')
                return true;
            if (c < 0x20)
                return wrong("a control character inside a string");
            if (c != '\\')
                continue;
            const char escaped = peek();
            ++at_;
            if (escaped == 'u') {
                for (int i = 0; i < 4; ++i, ++at_)
                    if (!std::isxdigit(static_cast<unsigned char>(peek())))
                        return wrong("\\u needs four hex digits");
            } else if (!std::strchr("\"\\/bfnrt", escaped) || escaped == '\0') {
                return wrong("unknown escape");
            }
        }
        return wrong("unterminated string");
    }
    bool number() {
        const std::size_t start = at_;
        if (peek() == '-')
            ++at_;
        if (peek() == '0') {
            ++at_;
        } else if (std::isdigit(static_cast<unsigned char>(peek()))) {
            while (std::isdigit(static_cast<unsigned char>(peek())))
                ++at_;
        } else {
            at_ = start;
            return wrong("a value expected");
        }
        if (peek() == '.') {
            ++at_;
            if (!std::isdigit(static_cast<unsigned char>(peek())))
                return wrong("digits expected after '.'");
            while (std::isdigit(static_cast<unsigned char>(peek())))
                ++at_;
        }
        if (peek() == 'e' || peek() == 'E') {
            ++at_;
            if (peek() == '+' || peek() == '-')
                ++at_;
            if (!std::isdigit(static_cast<unsigned char>(peek())))
                return wrong("digits expected in the exponent");
            while (std::isdigit(static_cast<unsigned char>(peek())))
                ++at_;
        }
        return true;
    }

    const std::string& text_;
    std::size_t at_ = 0;
    int depth_ = 0;
    const char* what_ = "";
};

class XmlChecker {
public:
    explicit XmlChecker(const std::string& text) : text_(text) {}

    bool document(std::string& error) {
        std::size_t bad = 0;
        if (!validUtf8(text_, bad)) {
            error = "not UTF-8 at byte " + std::to_string(bad);
            return false;
        }
        if (text_.compare(0, 5, "<?xml") == 0) {
            const auto end = text_.find("?>");
            if (end == std::string::npos)
                return fail("unterminated XML declaration", error);
            at_ = end + 2;
        }
        bool rootSeen = false;
        std::vector<std::string> open;
        while (at_ < text_.size()) {
            if (text_[at_] != '<') {
                const std::size_t end = text_.find('<', at_);
                const std::string chars = text_.substr(at_, end - at_);
                if (open.empty() && chars.find_first_not_of(" \t\r\n") != std::string::npos)
                    return fail("text outside the root element", error);
                if (!entities(chars))
                    return fail("a bad '&' reference or a '>' in text", error);
                at_ = end == std::string::npos ? text_.size() : end;
                continue;
            }
            if (text_.compare(at_, 4, "<!--") == 0) {
                const auto end = text_.find("-->", at_);
                if (end == std::string::npos)
                    return fail("unterminated comment", error);
                at_ = end + 3;
                continue;
            }
            if (text_.compare(at_, 2, "</") == 0) {
                at_ += 2;
                const std::string name = readName();
                skipSpace();
                if (name.empty() || peek() != '>')
                    return fail("a bad closing tag", error);
                ++at_;
                if (open.empty() || open.back() != name)
                    return fail("</" + name + "> does not close the open element", error);
                open.pop_back();
                continue;
            }
            ++at_;
            const std::string name = readName();
            if (name.empty())
                return fail("an element without a name", error);
            if (open.empty()) {
                if (rootSeen)
                    return fail("a second root element", error);
                rootSeen = true;
            }
            std::vector<std::string> attributes;
            for (;;) {
                const bool spaced = skipSpace();
                if (peek() == '>' || peek() == '/')
                    break;
                const std::string attribute = readName();
                if (attribute.empty() || !spaced)
                    return fail("a bad attribute in <" + name + ">", error);
                for (const std::string& seen : attributes)
                    if (seen == attribute)
                        return fail("attribute " + attribute + " given twice", error);
                attributes.push_back(attribute);
                skipSpace();
                if (peek() != '=')
                    return fail("'=' expected after " + attribute, error);
                ++at_;
                skipSpace();
                const char quote = peek();
                if (quote != '"' && quote != '\'')
                    return fail("an unquoted value of " + attribute, error);
                const auto end = text_.find(quote, at_ + 1);
                if (end == std::string::npos)
                    return fail("an unterminated value of " + attribute, error);
                const std::string value = text_.substr(at_ + 1, end - at_ - 1);
                if (value.find('<') != std::string::npos || !entities(value))
                    return fail("a '<' or a bad reference in the value of " + attribute, error);
                at_ = end + 1;
            }
            if (peek() == '/') {
                ++at_;
                if (peek() != '>')
                    return fail("'/' not followed by '>'", error);
                ++at_;
            } else {
                ++at_;
                open.push_back(name);
            }
        }
        if (!open.empty())
            return fail("<" + open.back() + "> is never closed", error);
        if (!rootSeen)
            return fail("no root element", error);
        return true;
    }

private:
    bool fail(const std::string& what, std::string& error) {
        error = what + " at byte " + std::to_string(at_);
        return false;
    }
    char peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    bool skipSpace() {
        const std::size_t start = at_;
        while (at_ < text_.size() && std::strchr(" \t\r\n", text_[at_]))
            ++at_;
        return at_ > start;
    }
    std::string readName() {
        const std::size_t start = at_;
        while (at_ < text_.size() &&
               (std::isalnum(static_cast<unsigned char>(text_[at_])) || std::strchr("_:-.", text_[at_])))
            ++at_;
        return text_.substr(start, at_ - start);
    }
    static bool entities(const std::string& chars) {
        if (chars.find('>') != std::string::npos && chars.find("]]>") != std::string::npos)
            return false;
        for (std::size_t at = chars.find('&'); at != std::string::npos; at = chars.find('&', at + 1)) {
            const auto end = chars.find(';', at);
            if (end == std::string::npos)
                return false;
            const std::string name = chars.substr(at + 1, end - at - 1);
            const bool known = name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos";
            const bool numeric = name.size() > 1 && name[0] == '#';
            if (!known && !numeric)
                return false;
        }
        return true;
    }

    const std::string& text_;
    std::size_t at_ = 0;
};

} // namespace

bool isJson(const std::string& text, std::string& error) {
    return JsonChecker(text).document(error);
}

bool isWellFormedXml(const std::string& text, std::string& error) {
    return XmlChecker(text).document(error);
}

} // namespace test
