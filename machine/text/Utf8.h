#pragma once
// UTF-8: the encoding of the machine's text (its ANSI code page, its files, the documents the
// WLAN service keeps). Well formed means the shortest form of a code point up to U+10FFFF that
// is not a surrogate.

#include <cstddef>
#include <string>
#include <string_view>

namespace machine::text
{

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Appends the code point's UTF-8 form; a surrogate or a value above U+10FFFF, which have none,
// is appended as U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);

// The length of the well-formed sequence that starts at text[at], with its code point in
// `codePoint`; 0 when none starts there (a stray continuation byte, a truncated, overlong or
// surrogate form, a value above U+10FFFF).
std::size_t DecodeUtf8(std::string_view text, std::size_t at, char32_t& codePoint);
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);

bool IsWellFormedUtf8(std::string_view text);

// UTF-8 to UTF-16. A byte that does not start a well-formed sequence becomes one U+FFFD and
// decoding resumes at the next byte. False when any byte was replaced.
bool Utf8ToUtf16(std::string_view in, std::u16string& out);

// UTF-16 to UTF-8. An unpaired surrogate becomes `replacement`. False when any did.
bool Utf16ToUtf8(std::u16string_view in, std::string& out,
                 std::string_view replacement = "\xEF\xBF\xBD");

} // namespace machine::text
