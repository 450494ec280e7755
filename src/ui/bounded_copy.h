#pragma once
// Copies a text into a fixed buffer, byte by byte up to its terminating zero,
// never past the buffer: at most `capacity - 1` bytes are kept and the buffer
// always ends with a zero. A null text copies as empty.
#include <cstddef>

namespace drovil {

inline void copyBounded(char* buffer, std::size_t capacity, const char* text) {
    std::size_t length = 0;
    if (text)
        for (; length + 1 < capacity && text[length] != '\0'; ++length)
            buffer[length] = text[length];
    buffer[length] = '\0';
}

} // namespace drovil
