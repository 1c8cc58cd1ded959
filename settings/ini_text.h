// Internal to settings/: the INI text itself, with no file access, so the
// reading and editing rules can be tested and fuzzed on plain strings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace settings::detail {

// A settings file's bytes as the rules below read them. A file that begins
// with a UTF-16 byte-order mark is UTF-16 and is seen here as UTF-8, with any
// unpaired surrogate kept as three bytes of its own; any other file is seen
// as the bytes it is.
enum class Encoding { Bytes, Utf16LittleEndian, Utf16BigEndian };
struct Decoded {
    std::string text;
    Encoding encoding = Encoding::Bytes;
};
Decoded Decode(std::string_view file);

// The bytes of text in encoding, its byte-order mark included, or nothing
// when text is not UTF-8 that UTF-16 can hold.
std::optional<std::string> Encode(std::string_view text, Encoding encoding);

// The value of [section] key in text, read as ReadSetting promises, or nothing
// when the section, the key or the value is missing.
std::optional<std::int32_t> Lookup(std::string_view text, std::string_view section,
                                   std::string_view key);

// The value of [section] key in text as ReadText promises, or nothing.
std::optional<std::string> LookupText(std::string_view text, std::string_view section,
                                      std::string_view key);

// A stored value as it is read: blanks around it go, it ends at a NUL, and one
// pair of matching quotes is dropped.
std::string_view ValueText(std::string_view value);

// The integer a stored value stands for, or nothing for an empty value: the
// value's text as ValueText gives it, then
// control characters and spaces are skipped, one sign is taken, 0x or 0X
// starts hexadecimal digits, 0o octal and 0b binary ones, plain digits are
// decimal, all read up to the first that does not belong, wrapping modulo 2^32.
std::optional<std::int32_t> ParseValue(std::string_view value);

// True when a line written for these names would be found again by Lookup.
bool NamesRoundTrip(std::string_view section, std::string_view key);

// The value as it is written: without CR and LF, then without leading blanks.
std::string CleanValue(std::string_view value);

// text with [section] key set to value (already clean, names already checked).
// Every other byte is kept; see WriteSetting for where new lines go. Gives
// text itself when the value is already there.
std::string WithValue(std::string_view text, std::string_view section, std::string_view key,
                      std::string_view value);

} // namespace settings::detail
