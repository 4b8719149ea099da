// The messages of a calibration program's network pattern generator: a
// 4-byte big-endian length, then that many bytes of XML naming one colour.
// Two dialects are read: <calibration><color red= green= blue= bits=/>
// <background .../><geometry .../></calibration>, and <calibration><shapes>
// <rectangle><color red= green= blue=/><geometry .../></rectangle></shapes>
// </calibration> with 8-bit codes.
#pragma once

#include <cstddef>
#include <cstdint>

// The longest message taken; a longer length is a peer to stop reading.
constexpr uint32_t kPatchMessageMaxBytes = 64 * 1024;

struct PatchMessage {
    int32_t codes[3];  // red, green, blue
    int32_t bits;      // 1 to 16; 8 where the message names none
    bool hasBackground;
    bool hasGeometry;
};

// The length a 4-byte prefix gives.
uint32_t PatchMessageLength(const unsigned char (&prefix)[4]);

// Reads one message's XML (size bytes, not terminated) into message: 0, or
// -1 with the reason in error (errorSize bytes, always terminated): not
// well-formed XML, a DOCTYPE or an entity declaration (refused, not
// expanded), no <calibration> root, no <color>, a code that is no whole
// decimal number, bits outside 1 to 16, a code outside 0 to 2^bits - 1.
int ParsePatchMessage(const char *xml, size_t size, PatchMessage &message, char *error, size_t errorSize);

// A code's level: code / (2^bits - 1), as the box takes it.
float PatchLevel(int32_t code, int32_t bits);
