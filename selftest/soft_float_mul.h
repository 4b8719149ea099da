// The software single-precision multiply of the "float_mul" self-test.
#pragma once

#include <cstdint>

constexpr int kSignificandBits = 24;
constexpr int kProductBits = 48;

// Multiplies two binary32 values bit by bit. Operands within 1e-6 of zero
// (bounds included) give +0.0. The product is rounded on its first dropped
// bit alone, so an exact halfway product rounds up in magnitude. An exponent
// out of range prints the overflow or underflow message (GBK) and gives
// +0.0; infinities and NaNs get no other treatment.
float SoftFloatMul(float x, float y);

// Schoolbook shift-and-add of two significands held one bit per element,
// most significant first: product (all 0 on entry) receives the 48-bit
// product of multiplier and multiplicand.
void MulSignificands(uint8_t product[kProductBits], const uint8_t multiplier[kSignificandBits],
                     const uint8_t multiplicand[kSignificandBits]);
