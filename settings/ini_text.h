// Internal to settings/: the INI text itself, with no file access, so the
// reading and editing rules can be tested and fuzzed on plain strings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace settings::detail {

// The value of [section] key in text, read as ReadSetting promises, or nothing
// when the section, the key or the value is missing.
std::optional<std::int32_t> Lookup(std::string_view text, std::string_view section,
                                   std::string_view key);

// The integer a stored value stands for, or nothing for an empty value: blanks
// around it and one pair of matching quotes are dropped, then an optional sign
// and decimal digits are read up to the first non-digit, wrapping modulo 2^32.
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
