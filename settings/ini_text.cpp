#include "settings/ini_text.h"

#include <cstddef>

namespace settings::detail {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

// Blanks around names and values; ^Z (0x1A) too, an old end-of-file mark.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// A name or a value ends at a NUL byte, as a string does for the platform's
// reader; the line itself goes on.
std::string_view UpToNul(std::string_view s) {
    return s.substr(0, s.find('\0'));
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

// Whether a trimmed line is a section header: "[" first and a "]" after it.
// A line like "[name" is an ordinary line, and a key line if it holds "=".
bool IsHeader(std::string_view trimmed) {
    return trimmed.starts_with('[') && trimmed.find(']', 1) != std::string_view::npos;
}

// The name inside a header line: up to the last "]".
std::string_view HeaderName(std::string_view trimmed) {
    return UpToNul(Trim(trimmed.substr(1, trimmed.rfind(']') - 1)));
}

// Where [section] key stands in a text. One pass over the lines, stopping at
// the key or at the end of the first matching section, so the cost is linear
// in the text however it is made up.
struct Location {
    bool sectionFound = false;
    bool keyFound = false;
    bool hasValue = false;          // keyFound: the line holds "=", else it is the bare name
    std::size_t valueBegin = 0;     // keyFound: the value's trimmed extent, or where the
    std::size_t valueEnd = 0;       // bare name ends, for a value to follow it
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
        if (IsHeader(trimmed)) {
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
            if (equals == std::string_view::npos) {
                // A line that is just the name is that key, with no value.
                if (!trimmed.empty() && SameName(UpToNul(trimmed), key)) {
                    at.keyFound = true;
                    at.valueBegin = at.valueEnd =
                        static_cast<std::size_t>(trimmed.data() + trimmed.size() - text.data());
                    return at;
                }
            } else if (SameName(UpToNul(Trim(line.substr(0, equals))), key)) {
                // The value runs from the first non-blank after "=" to the last
                // non-blank; an empty one sits at the end of the line, so a new
                // value keeps whatever spacing the line already has.
                const std::string_view rest = line.substr(equals + 1);
                const std::string_view value = Trim(rest);
                std::size_t leading = 0;
                while (leading < rest.size() && IsBlank(rest[leading]))
                    ++leading;
                at.keyFound = at.hasValue = true;
                at.valueBegin = pos + equals + 1 + leading;
                at.valueEnd = at.valueBegin + value.size();
                return at;
            }
        }
        pos = next;
    }
    return at;
}

void PutUnit(std::string& out, std::uint32_t unit, bool littleEndian) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += littleEndian ? low : high;
    out += littleEndian ? high : low;
}

void PutUtf8(std::string& out, std::uint32_t code) {
    const auto byte = [](std::uint32_t b) { return static_cast<char>(b); };
    if (code < 0x80) {
        out += byte(code);
    } else if (code < 0x800) {
        out += byte(0xC0 | code >> 6);
        out += byte(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += byte(0xE0 | code >> 12);
        out += byte(0x80 | (code >> 6 & 0x3F));
        out += byte(0x80 | (code & 0x3F));
    } else {
        out += byte(0xF0 | code >> 18);
        out += byte(0x80 | (code >> 12 & 0x3F));
        out += byte(0x80 | (code >> 6 & 0x3F));
        out += byte(0x80 | (code & 0x3F));
    }
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

Decoded Decode(std::string_view file) {
    const bool little = file.starts_with("\xFF\xFE"), big = file.starts_with("\xFE\xFF");
    if (!little && !big)
        return {std::string(file), Encoding::Bytes};
    Decoded decoded{{}, little ? Encoding::Utf16LittleEndian : Encoding::Utf16BigEndian};
    const auto unit = [file, little](std::size_t at) {
        const auto first = static_cast<unsigned char>(file[at]);
        const auto second = static_cast<unsigned char>(file[at + 1]);
        return little ? std::uint32_t{first} | std::uint32_t{second} << 8
                      : std::uint32_t{first} << 8 | std::uint32_t{second};
    };
    for (std::size_t at = 2; at + 1 < file.size(); at += 2) {
        std::uint32_t code = unit(at);
        const std::uint32_t next = at + 3 < file.size() ? unit(at + 2) : 0;
        if (code >= 0xD800 && code < 0xDC00 && next >= 0xDC00 && next < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (next - 0xDC00);
            at += 2;
        }
        PutUtf8(decoded.text, code);
    }
    return decoded;
}

std::optional<std::string> Encode(std::string_view text, Encoding encoding) {
    if (encoding == Encoding::Bytes)
        return std::string(text);
    const bool little = encoding == Encoding::Utf16LittleEndian;
    std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80             ? 1
                                   : (lead & 0xE0) == 0xC0 ? 2
                                   : (lead & 0xF0) == 0xE0 ? 3
                                   : (lead & 0xF8) == 0xF0 ? 4
                                                           : 0;
        if (length == 0 || at + length > text.size())
            return std::nullopt;
        std::uint32_t code = length == 1 ? lead : lead & (0x7Fu >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[at + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            code = code << 6 | (next & 0x3Fu);
        }
        at += length;
        if (code > 0x10FFFF)
            return std::nullopt;
        if (code >= 0x10000) {
            PutUnit(out, 0xD800 + ((code - 0x10000) >> 10), little);
            PutUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF), little);
        } else {
            PutUnit(out, code, little);
        }
    }
    return out;
}

std::string_view ValueText(std::string_view value) {
    value = UpToNul(Trim(value));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return value;
}

std::optional<std::int32_t> ParseValue(std::string_view value) {
    value = ValueText(value);
    if (value.empty())
        return std::nullopt;

    // Whatever is not printable goes, control characters too; then one sign,
    // then 0x (or 0X) for hexadecimal, 0o for octal, 0b for binary.
    std::size_t i = 0;
    while (i < value.size() && static_cast<unsigned char>(value[i]) <= ' ')
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-'))
        negative = value[i++] == '-';
    std::uint32_t base = 10;
    if (i + 1 < value.size() && value[i] == '0') {
        const char prefix = value[i + 1];
        base = (prefix == 'x' || prefix == 'X') ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
        if (base != 10)
            i += 2;
    }
    // Unsigned arithmetic wraps modulo 2^32 by definition, as the old readers
    // did in practice; the final conversion to signed is modular in C++20.
    std::uint32_t magnitude = 0;
    for (; i < value.size(); ++i) {
        const char c = Lower(value[i]);
        const std::uint32_t digit = c >= '0' && c <= '9' ? static_cast<std::uint32_t>(c - '0')
                                    : c >= 'a' && c <= 'z'
                                        ? static_cast<std::uint32_t>(c - 'a' + 10)
                                        : base;
        if (digit >= base)
            break;
        magnitude = magnitude * base + digit;
    }
    if (negative)
        magnitude = 0u - magnitude;
    return static_cast<std::int32_t>(magnitude);
}

std::optional<std::int32_t> Lookup(std::string_view text, std::string_view section,
                                   std::string_view key) {
    const Location at = Locate(text, section, key);
    if (!at.hasValue)
        return std::nullopt;
    return ParseValue(text.substr(at.valueBegin, at.valueEnd - at.valueBegin));
}

std::optional<std::string> LookupText(std::string_view text, std::string_view section,
                                      std::string_view key) {
    const Location at = Locate(text, section, key);
    if (!at.hasValue)
        return std::nullopt;
    const std::string_view value =
        ValueText(text.substr(at.valueBegin, at.valueEnd - at.valueBegin));
    if (value.empty())
        return std::nullopt;
    return std::string(value);
}

bool NamesRoundTrip(std::string_view section, std::string_view key) {
    const auto oneLine = [](std::string_view s) {
        return s.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos &&
               Trim(s) == s;
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
        if (at.hasValue && text.substr(at.valueBegin, at.valueEnd - at.valueBegin) == Trim(value))
            return std::string(text);
        out.append(text.substr(0, at.valueBegin)).append(at.hasValue ? "" : "=").append(value);
        out.append(text.substr(at.valueEnd));
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
