// The one CP932 codec of the system, on tables built once from glibc
// iconv's own CP932 mapping (so it agrees with iconv byte for byte, and
// with the _sj literals). Internal to the platform library: the XML
// encoding handler and serializer work on it directly.
#pragma once

#include <cstddef>
#include <string_view>

namespace vext::cp932 {

// Decodes CP932 into UTF-8 as far as the input and the room allow;
// `consumed` and `produced` tell how far it got. A lead byte at the very
// end is left unconsumed (its trail byte may come with the next piece).
// false: the input holds a sequence that is not CP932.
bool Decode(const unsigned char* in, std::size_t inLength, unsigned char* out,
            std::size_t outLength, std::size_t& consumed, std::size_t& produced);
// The CP932 bytes of one code point (1 or 2 bytes); 0 when there are none.
int Encode(char32_t cp, char out[2]);
bool IsAscii(std::string_view text);

}  // namespace vext::cp932
