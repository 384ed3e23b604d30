#pragma once
// The one UTF-8 reader and writer of the program: checking, decoding,
// encoding and counting characters. Strict throughout: no overlong forms, no
// encoded surrogates, nothing above U+10FFFF.

#include <cstddef>
#include <string>
#include <string_view>

namespace orvanta {

// Whether `byte` continues a sequence (10xxxxxx) rather than starting one.
constexpr bool IsUtf8Continuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// The length of the well-formed sequence at `at`, or 0 when none starts there.
[[nodiscard]] std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t at);

// Decodes the sequence at `at` into `cp` and moves `at` past it; a malformed
// one moves `at` by one byte and answers false.
bool DecodeUtf8(std::string_view bytes, std::size_t& at, char32_t& cp);

[[nodiscard]] bool IsValidUtf8(std::string_view bytes);

// Appends the UTF-8 form of the code point `cp`.
void AppendUtf8(std::string& out, char32_t cp);

// Characters, not bytes: each byte that does not continue a sequence counts.
[[nodiscard]] std::size_t Utf8CharacterCount(std::string_view text);

// The byte offset of character number `n` (0-based), or the size of `text`
// when it has no more than `n` characters.
[[nodiscard]] std::size_t Utf8OffsetOfCharacter(std::string_view text, std::size_t n);

}  // namespace orvanta
