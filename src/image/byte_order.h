#pragma once

#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace image {

// The converter reads every multi-byte value low byte first, whatever the host: values are
// written byte by byte, never by copying their memory.

inline void Put_U8(std::span<uint8_t> buffer, size_t offset, uint32_t value) {
    buffer[offset] = static_cast<uint8_t>(value);
}

inline void Put_U16(std::span<uint8_t> buffer, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 2; ++i)
        buffer[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void Put_U32(std::span<uint8_t> buffer, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i)
        buffer[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void Put_U64(std::span<uint8_t> buffer, size_t offset, uint64_t value) {
    for (size_t i = 0; i < 8; ++i)
        buffer[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

/// @brief Fixed-width text field: the low byte of each UTF-16 code unit, at most
/// @p max_chars of them; the rest of the field is left as it is (the caller zeroed it).
/// Returns the number of bytes stored.
inline size_t Put_Text(std::span<uint8_t> buffer, size_t offset, const QString& text,
                       size_t max_chars) {
    const size_t count = std::min(max_chars, static_cast<size_t>(text.size()));
    for (size_t i = 0; i < count; ++i)
        buffer[offset + i] = static_cast<uint8_t>(text[static_cast<qsizetype>(i)].unicode());
    return count;
}

/// Sequential little-endian writer into an output buffer whose capacity was checked beforehand.
class Byte_Cursor {
public:
    Byte_Cursor(std::span<uint8_t> buffer, size_t position)
        : buffer_(buffer), position_(position) {}

    void U8(uint32_t value) { Advance(1, &Put_U8, value); }
    void U16(uint32_t value) { Advance(2, &Put_U16, value); }
    void U32(uint32_t value) { Advance(4, &Put_U32, value); }
    void U64(uint64_t value) {
        Check(8);
        Put_U64(buffer_, position_, value);
        position_ += 8;
    }
    void Zeros(size_t count) {
        Check(count);
        std::fill_n(buffer_.subspan(position_, count).begin(), count, uint8_t{0});
        position_ += count;
    }
    void Bytes(std::span<const uint8_t> bytes) {
        Check(bytes.size());
        std::copy(bytes.begin(), bytes.end(), buffer_.subspan(position_, bytes.size()).begin());
        position_ += bytes.size();
    }
    size_t Position() const { return position_; }

private:
    void Advance(size_t width, void (*put)(std::span<uint8_t>, size_t, uint32_t), uint32_t value) {
        Check(width);
        put(buffer_, position_, value);
        position_ += width;
    }

    void Check(size_t width) const { Q_ASSERT(position_ + width <= buffer_.size()); }

    std::span<uint8_t> buffer_;
    size_t position_;
};

} // namespace image
