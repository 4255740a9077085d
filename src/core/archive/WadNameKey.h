#pragma once

#include <QtAlgorithms>
#include <QtEndian>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#endif

// The file-name key of a cars-archive entry, eight bytes at a time: the stored name after its
// last "\", compared and hashed lower-cased as QChar::toLower lower-cases Latin-1. A directory of
// thousands of entries is indexed on an archive's first lookups, so this is its inner loop.
namespace pw::wad::namekey {

// Lower case of a Latin-1 byte: A-Z and the accented capitals (0xC0-0xDE but the multiplication
// sign 0xD7) become their small letters.
inline constexpr std::array<unsigned char, 256> kLatin1Lower = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c)
        t[size_t(c)] = (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)
                           ? static_cast<unsigned char>(c + 0x20)
                           : static_cast<unsigned char>(c);
    return t;
}();

inline constexpr uint64_t kOnes = 0x0101010101010101ull;
inline constexpr uint64_t kHighBits = 0x8080808080808080ull;

// Where a record's 128-byte name field has its first NUL (128: none), and whether only NULs
// follow it (the name is then the bytes before it).
struct NameField {
    size_t firstNul;
    bool plain;
};

inline NameField nameField(const char* field) {
#if defined(__SSE2__) || defined(_M_X64)
    // One bit per byte that is NUL, sixteen bytes a step; names mostly end in the first half,
    // whose second half is then told all NULs by one test.
    const __m128i zero = _mm_setzero_si128();
    const auto* v = reinterpret_cast<const __m128i*>(field);
    const auto nulBits = [&](int j) {
        return uint64_t(uint16_t(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(v + j), zero))));
    };
    const uint64_t low = nulBits(0) | nulBits(1) << 16 | nulBits(2) << 32 | nulBits(3) << 48;
    const __m128i high = _mm_or_si128(_mm_or_si128(_mm_loadu_si128(v + 4), _mm_loadu_si128(v + 5)),
                                      _mm_or_si128(_mm_loadu_si128(v + 6), _mm_loadu_si128(v + 7)));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(high, zero)) == 0xFFFF) {
        if (!low) return {64, true};
        const size_t first = qCountTrailingZeroBits(quint64(low));
        return {first, (~low >> first) == 0};
    }
    const uint64_t upper = nulBits(4) | nulBits(5) << 16 | nulBits(6) << 32 | nulBits(7) << 48;
    if (low) return {size_t(qCountTrailingZeroBits(quint64(low))), false};
    if (!upper) return {128, true};
    const size_t first = qCountTrailingZeroBits(quint64(upper));
    return {64 + first, (~upper >> first) == 0};
#else
    static constexpr char kNuls[128] = {};
    const auto* nul = static_cast<const char*>(std::memchr(field, 0, 128));
    if (!nul) return {128, true};
    const size_t first = size_t(nul - field);
    return {first, std::memcmp(nul, kNuls, 128 - first) == 0};
#endif
}

// Up to eight bytes as a little-endian word, the missing ones 0.
inline uint64_t load(const char* p, size_t n) {
    if (n >= 8) return qFromLittleEndian<quint64>(p);
    unsigned char b[8] = {};
    std::memcpy(b, p, n);
    return qFromLittleEndian<quint64>(b);
}

// The word with every byte lower-cased.
inline uint64_t lowered(uint64_t w) {
    if (w & kHighBits) {
        // Latin-1 beyond ASCII: rare in file names, a byte at a time.
        uint64_t out = 0;
        for (int i = 0; i < 8; ++i) out |= uint64_t(kLatin1Lower[(w >> (8 * i)) & 0xFF]) << (8 * i);
        return out;
    }
    // Bytes below 0x80: adding 0x80 - 'A' sets a byte's top bit from 'A' up, adding 0x80 - '['
    // from past 'Z' up; neither carries into the next byte.
    const uint64_t fromA = w + kOnes * (0x80 - 'A');
    const uint64_t pastZ = w + kOnes * (0x80 - 'Z' - 1);
    return w | ((fromA & ~pastZ & kHighBits) >> 2);
}

// A word with the top bit of each byte of w that equals c (exact: no false hits).
inline uint64_t bytesEqual(uint64_t w, unsigned char c) {
    const uint64_t x = w ^ (kOnes * c);
    return ~(((x & ~kHighBits) + ~kHighBits) | x) & kHighBits;
}

// Where the file name of name[0, length) starts: after its last "\", or 0.
inline size_t fileNameStart(const char* name, size_t length) {
    size_t end = length;
    while (end >= 8) {
        if (const uint64_t hits = bytesEqual(qFromLittleEndian<quint64>(name + end - 8), '\\')) {
            const int last = 63 - int(qCountLeadingZeroBits(quint64(hits)));
            return end - 8 + size_t(last / 8) + 1;
        }
        end -= 8;
    }
    while (end > 0 && name[end - 1] != '\\') --end;
    return end;
}

// Of the lower-cased bytes of key[0, length).
inline uint64_t hash(const char* key, size_t length) {
    uint64_t h = 0x9E3779B97F4A7C15ull ^ length;
    for (size_t k = 0; k < length; k += 8) {
        h = (h ^ lowered(load(key + k, length - k))) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 32;
    }
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
}

// Whether a and b, lower-cased, are the same length bytes.
inline bool sameLowered(const char* a, const char* b, size_t length) {
    for (size_t k = 0; k < length; k += 8)
        if (lowered(load(a + k, length - k)) != lowered(load(b + k, length - k))) return false;
    return true;
}

}  // namespace pw::wad::namekey
