#include "settings/ini_text.h"

#include <cstddef>

namespace settings::detail {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names compare by ASCII case only: the file's bytes may be in any code page,
// and a locale-dependent comparison would make the same file read differently
// on different machines.
bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

// The name inside a header line (trimmed, starting with "["): up to the last
// "]", or to the end of the line when there is none.
std::string_view HeaderName(std::string_view trimmed) {
    std::string_view inside = trimmed.substr(1);
    const std::size_t close = inside.rfind(']');
    if (close != std::string_view::npos)
        inside = inside.substr(0, close);
    return Trim(inside);
}

// Where [section] key stands in a text. One pass over the lines, stopping at
// the key or at the end of the first matching section, so the cost is linear
// in the text however it is made up.
struct Location {
    bool sectionFound = false;
    bool keyFound = false;
    std::size_t valueBegin = 0; // keyFound: the value's trimmed extent
    std::size_t valueEnd = 0;
    std::size_t insertAt = 0;       // sectionFound: just past its last non-blank line
    bool insertAtLineStart = false; // that line ended with a line break
};

Location Locate(std::string_view text, std::string_view section, std::string_view key) {
    Location at;
    bool inside = false;
    std::size_t pos = text.starts_with(byteOrderMark) ? byteOrderMark.size() : 0;
    while (pos < text.size()) {
        // A line ends at CR LF, LF or a bare CR.
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        std::size_t next = end;
        if (next < text.size())
            next += text.substr(next, 2) == "\r\n" ? 2u : 1u;

        const std::string_view line = text.substr(pos, end - pos);
        const std::string_view trimmed = Trim(line);
        if (!trimmed.empty() && trimmed.front() == '[') {
            if (inside)
                return at; // only the first section of the name counts
            if (SameName(HeaderName(trimmed), section)) {
                inside = at.sectionFound = true;
                at.insertAt = next;
                at.insertAtLineStart = next > end;
            }
        } else if (inside) {
            if (!trimmed.empty()) {
                at.insertAt = next;
                at.insertAtLineStart = next > end;
            }
            const std::size_t equals = line.find('=');
            if (equals != std::string_view::npos && SameName(Trim(line.substr(0, equals)), key)) {
                // The value runs from the first non-blank after "=" to the last
                // non-blank; an empty one sits at the end of the line, so a new
                // value keeps whatever spacing the line already has.
                const std::string_view rest = line.substr(equals + 1);
                const std::string_view value = Trim(rest);
                std::size_t leading = 0;
                while (leading < rest.size() && IsBlank(rest[leading]))
                    ++leading;
                at.keyFound = true;
                at.valueBegin = pos + equals + 1 + leading;
                at.valueEnd = at.valueBegin + value.size();
                return at;
            }
        }
        pos = next;
    }
    return at;
}

// The file's own line break, from its first one; CR LF for a file without any.
std::string_view LineBreakOf(std::string_view text) {
    const std::size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos)
        return "\r\n";
    if (text[at] == '\n')
        return "\n";
    return (at + 1 < text.size() && text[at + 1] == '\n') ? "\r\n" : "\r";
}

} // namespace

std::optional<std::int32_t> ParseValue(std::string_view value) {
    value = Trim(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.empty())
        return std::nullopt;

    std::size_t i = 0;
    while (i < value.size() && IsBlank(value[i]))
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-'))
        negative = value[i++] == '-';
    // Unsigned arithmetic wraps modulo 2^32 by definition, as the old readers
    // did in practice; the final conversion to signed is modular in C++20.
    std::uint32_t magnitude = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(value[i] - '0');
    if (negative)
        magnitude = 0u - magnitude;
    return static_cast<std::int32_t>(magnitude);
}

std::optional<std::int32_t> Lookup(std::string_view text, std::string_view section,
                                   std::string_view key) {
    const Location at = Locate(text, section, key);
    if (!at.keyFound)
        return std::nullopt;
    return ParseValue(text.substr(at.valueBegin, at.valueEnd - at.valueBegin));
}

bool NamesRoundTrip(std::string_view section, std::string_view key) {
    const auto oneLine = [](std::string_view s) {
        return s.find_first_of("\r\n") == std::string_view::npos && Trim(s) == s;
    };
    // A key line starting with "[" would be taken for a header, and an "=" in
    // the key would move the split between name and value.
    return oneLine(section) && oneLine(key) && key.find('=') == std::string_view::npos &&
           !key.starts_with('[');
}

std::string CleanValue(std::string_view value) {
    std::string clean;
    clean.reserve(value.size());
    for (const char c : value)
        if (c != '\r' && c != '\n' && !(clean.empty() && IsBlank(c)))
            clean += c;
    return clean;
}

std::string WithValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value) {
    const Location at = Locate(text, section, key);
    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
    if (at.keyFound) {
        // The stored value never includes trailing blanks, so compare without
        // them: writing "8 " over "8" must not grow the line on every write.
        if (text.substr(at.valueBegin, at.valueEnd - at.valueBegin) == Trim(value))
            return std::string(text);
        out.append(text.substr(0, at.valueBegin)).append(value).append(text.substr(at.valueEnd));
        return out;
    }
    const std::string_view lineBreak = LineBreakOf(text);
    if (at.sectionFound) {
        out.append(text.substr(0, at.insertAt));
        if (!at.insertAtLineStart)
            out.append(lineBreak);
        out.append(key).append("=").append(value).append(lineBreak);
        out.append(text.substr(at.insertAt));
        return out;
    }
    out.append(text);
    const bool onlyMark = text.empty() || text == byteOrderMark;
    if (!onlyMark && text.back() != '\r' && text.back() != '\n')
        out.append(lineBreak);
    out.append("[").append(section).append("]").append(lineBreak);
    out.append(key).append("=").append(value).append(lineBreak);
    return out;
}

} // namespace settings::detail
