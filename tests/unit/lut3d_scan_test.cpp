// ScanLutFloat on its own: what one field consumes and the value it gives,
// against strtof for values beyond float and for long numbers, and against
// the library's "%f" where that is defined.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "lut/lut_number_fields.h"
#include "scratch_dir.h"

namespace {

uint32_t Bits(float f) {
    uint32_t bits;
    memcpy(&bits, &f, sizeof bits);
    return bits;
}

struct Scan {
    bool ok;
    float value;
    std::string rest;  // what the next reads of the file see
};

class LutFloatScan : public ScratchDirTest {
protected:
    static inline LutInput input;  // large: not on the stack

    // The scan, or the library's "%f" when library is set, on text.
    Scan Run(const std::string &text, bool library = false) {
        std::string path = Write("field.txt", text);
        Scan scan = {false, -123.0f, ""};
        if (library) {
            FILE *file = fopen(path.c_str(), "rb");
            if (file == nullptr) {
                ADD_FAILURE() << path;
                return scan;
            }
            scan.ok = fscanf(file, "%f", &scan.value) == 1;
            int c;
            while ((c = getc(file)) != EOF) scan.rest += static_cast<char>(c);
            fclose(file);
            return scan;
        }
        if (!OpenLutInput(&input, path.c_str())) {
            ADD_FAILURE() << path;
            return scan;
        }
        scan.ok = ScanLutFloat(&input, &scan.value);
        for (int c; (c = PeekLutByte(&input)) != EOF; TakeLutByte(&input)) scan.rest += static_cast<char>(c);
        CloseLutInput(&input);
        return scan;
    }

    void ExpectValue(const std::string &text, uint32_t bits, const std::string &rest) {
        Scan scan = Run(text);
        EXPECT_TRUE(scan.ok) << text;
        EXPECT_EQ(Bits(scan.value), bits) << text;
        EXPECT_EQ(scan.rest, rest) << text;
    }

    // The field fails; rest is what is left once its item was consumed.
    void ExpectFailure(const std::string &text, const std::string &rest) {
        Scan scan = Run(text);
        EXPECT_FALSE(scan.ok) << text;
        EXPECT_EQ(Bits(scan.value), Bits(-123.0f)) << text << ": value stored on failure";
        EXPECT_EQ(scan.rest, rest) << text;
    }
};

TEST_F(LutFloatScan, BeyondFloatRangeGivesInfinityOrZeroOrADenormal) {
    ExpectValue("1e39", 0x7F800000u, "");
    ExpectValue("-1e39 ", 0xFF800000u, " ");
    ExpectValue("3.4028236e38", 0x7F800000u, "");  // past halfway to 2^128
    ExpectValue("3.4028235e38", 0x7F7FFFFFu, "");  // the largest float
    // Below half the smallest denormal: zero, keeping its sign.
    ExpectValue("1e-50", 0x00000000u, "");
    ExpectValue("-1e-50,", 0x80000000u, ",");
    // Denormals, rounded to nearest.
    ExpectValue("1e-45", 0x00000001u, "");
    ExpectValue("1e-40", Bits(strtof("1e-40", nullptr)), "");
    ExpectValue("0x1p-149", 0x00000001u, "");
    ExpectValue("0x1p-151", 0x00000000u, "");
    ExpectValue("0x1p128", 0x7F800000u, "");
}

// Numbers longer than the digits the scan keeps still round exactly.
TEST_F(LutFloatScan, LongNumbersRoundAsStrtofRoundsThem) {
    // 1 + 2^-24, halfway between 1 and the next float: ties to even, 1.
    const std::string half = "1.000000059604644775390625";
    ExpectValue(half + std::string(300, '0'), Bits(1.0f), "");
    // Any nonzero digit however far behind it tips the rounding up.
    ExpectValue(half + std::string(300, '0') + "1", Bits(1.0f + 0x1p-23f), "");
    ExpectValue("0." + std::string(400, '0') + "1e400", Bits(0.1f), "");
    ExpectValue(std::string(300, '0') + "25e-2", Bits(0.25f), "");
    ExpectValue("1" + std::string(400, '0') + "e-400", Bits(1.0f), "");
    ExpectValue("0x" + std::string(300, '0') + "1" + std::string(200, '0') + "p-800", Bits(1.0f), "");
    ExpectValue("0x1.000001" + std::string(200, '0') + "1", Bits(1.0f + 0x1p-23f), "");
    std::string digits;
    for (int i = 0; i < 500; i++) digits += static_cast<char>('0' + (i * 7) % 10);
    for (const std::string &text : {"0." + digits, digits + "e-480", "1" + digits + "e-530"}) {
        ExpectValue(text, Bits(strtof(text.c_str(), nullptr)), "");
    }
}

// Millions of digits place the point as far as a huge exponent moves it:
// the exponent is not cut short of the digit count.
TEST_F(LutFloatScan, ExponentsAsLongAsTheDigitRunsStillCount) {
    ExpectValue("0." + std::string(9999999, '0') + "1e10000000", Bits(1.0f), "");
    ExpectValue("1" + std::string(10000000, '0') + "e-10000000 ", Bits(1.0f), " ");
}

// The item is the longest run that begins a number; when that run is not
// itself a number, the field fails and the run stays consumed.
TEST_F(LutFloatScan, AnItemThatOnlyBeginsANumberFails) {
    ExpectFailure("3.0e 1", " 1");
    ExpectFailure("1e+,", ",");
    ExpectFailure(" .e5", "e5");
    ExpectFailure("0x.p1", "p1");
    ExpectFailure("0x1p-", "");
    ExpectFailure("infin ", " ");
    ExpectFailure("nan(a-b)", "-b)");
    ExpectFailure(" \r\n\t", "");
    ExpectFailure("x1", "x1");
    ExpectFailure("+-1", "-1");
}

TEST_F(LutFloatScan, HexInfinityAndNanForms) {
    ExpectValue("0x1p-3", Bits(0.125f), "");
    ExpectValue("-0X1.8P1;", Bits(-3.0f), ";");
    ExpectValue("0x.8", Bits(0.5f), "");
    ExpectValue("0x0p99999999999", 0x00000000u, "");
    ExpectFailure("0xg", "g");              // "0x" begins a number but is none
    ExpectValue("00x1", Bits(0.0f), "x1");  // "00x" begins none: the item is "00"

    ExpectValue("inf", 0x7F800000u, "");
    ExpectValue("-INF,", 0xFF800000u, ",");
    ExpectValue("infinityx", 0x7F800000u, "x");
    ExpectValue("infx", 0x7F800000u, "x");
    ExpectValue("+iNfInItY)", 0x7F800000u, ")");

    for (const std::string &text : {std::string("NAN"), std::string("nan()"), std::string("nan(0x7f_Ab)"),
                                    "nan(" + std::string(200, 'z') + ")"}) {
        Scan scan = Run(text + " 1");
        EXPECT_TRUE(scan.ok) << text;
        EXPECT_TRUE(std::isnan(scan.value)) << text;
        EXPECT_EQ(scan.rest, " 1") << text;
    }
    // The payload is the one strtof gives.
    EXPECT_EQ(Bits(Run("nan(123)").value), Bits(strtof("nan(123)", nullptr)));
    EXPECT_EQ(Bits(Run("-nan").value), Bits(strtof("-nan", nullptr)));
}

// Where "%f" is defined (the number lies within float's range), the scan
// gives the same success, the same value to the bit, and leaves the same
// characters unread.
TEST_F(LutFloatScan, MatchesTheLibraryWhereItIsDefined) {
    const char *numbers[] = {
        "0",
        "1",
        "-1",
        "+2.5",
        "0.000000",
        "0.500000",
        ".5",
        "5.",
        "-.75",
        "1e3",
        "1E-3",
        "2.5e+2",
        "0.1",
        "0.333333333333",
        "123456789",
        "16777217",
        "16777219",
        "1.000000059604644775390625",
        "1.0000000596046447753906251",
        "1.00000005960464477539062",
        "-0.0",
        "00012",
        "1e0005",
        "1.17549435e-38",
        "1.1754944e-38",
        "3.4028234e38",
        "340282346638528859811704183484516925440",
        "0.999999999999999999999999999999",
        "4294967295.99",
        "6.02214076e23",
        "9.999999e-10",
        "0x1p-3",
        "0x1.fffffep127",
        "0XABC.DEFp-4",
        "0x0.000001p0",
        "  \t\r\n 7.25",
        "\v\f-3",
    };
    const char *after[] = {"", ",", " ", "\r\n", ";", ")"};
    for (const char *number : numbers) {
        for (const char *tail : after) {
            std::string text = std::string(number) + tail;
            Scan mine = Run(text);
            Scan library = Run(text, true);
            EXPECT_TRUE(mine.ok) << text;
            EXPECT_EQ(mine.ok, library.ok) << text;
            EXPECT_EQ(Bits(mine.value), Bits(library.value)) << text;
            EXPECT_EQ(mine.rest, library.rest) << text;
        }
    }
}

// Plain decimals of up to 19 digits in a row of fields, as LUT files hold
// them, each rounded as strtof rounds it.
TEST_F(LutFloatScan, PlainDecimalsInARowRoundAsStrtof) {
    std::mt19937_64 random(7);
    std::vector<std::string> fields;
    std::string text;
    for (int i = 0; i < 20000; i++) {
        int digits = 1 + static_cast<int>(random() % 19);
        int point = static_cast<int>(random() % (digits + 2)) - 1;  // -1: none
        std::string field = random() % 4 == 0 ? "-" : "";
        for (int d = 0; d < digits; d++) {
            if (d == point) field += '.';
            field += static_cast<char>('0' + random() % 10);
        }
        fields.push_back(field);
        text += field + (i % 3 == 2 ? "\r\n" : " ");
    }
    std::string path = Write("fields.txt", text);
    ASSERT_TRUE(OpenLutInput(&input, path.c_str()));
    for (const std::string &field : fields) {
        float value = -123.0f;
        ASSERT_TRUE(ScanLutFloat(&input, &value)) << field;
        ASSERT_EQ(Bits(value), Bits(strtof(field.c_str(), nullptr))) << field;
    }
    CloseLutInput(&input);
}

// Fields of "0." and 7 to 9 digits, which the scan reads as one word, and
// those beside them it leaves to its loop: other counts, signs, every end
// the scan meets (white space, a comma, a digit, an exponent, "x", the end
// of the file), fields across a block's end, each against strtof and each
// leaving the next field where it stands.
TEST_F(LutFloatScan, FractionsOfSevenToNineDigitsRoundAsStrtof) {
    std::mt19937_64 random(11);
    const char *const ends[] = {" ", "\n", "\r\n", ",", "\t", "  "};
    std::vector<std::string> fields;
    std::string text;
    while (text.size() < 3 * kLutBlockBytes) {
        int digits = 6 + static_cast<int>(random() % 5);
        std::string field = random() % 8 == 0 ? "-" : random() % 16 == 0 ? "+" : "";
        field += "0.";
        for (int d = 0; d < digits; d++) field += static_cast<char>('0' + random() % 10);
        fields.push_back(field);
        text += field + ends[random() % std::size(ends)];
    }
    std::string path = Write("fractions.txt", text);
    ASSERT_TRUE(OpenLutInput(&input, path.c_str()));
    for (const std::string &field : fields) {
        float value = -123.0f;
        ASSERT_TRUE(ScanLutFloat(&input, &value)) << field;
        ASSERT_EQ(Bits(value), Bits(strtof(field.c_str(), nullptr))) << field;
        if (PeekLutByte(&input) == ',') TakeLutByte(&input);
    }
    CloseLutInput(&input);

    // Numbers that go on past the digits, and a file that ends within the
    // bytes the word reads; each after a first field, as a file's first
    // read fills the block.
    auto second = [&](const std::string &text, float want, const std::string &rest) {
        std::string path = Write("second.txt", "0 " + text);
        ASSERT_TRUE(OpenLutInput(&input, path.c_str()));
        float first = -1.0f, value = -123.0f;
        ASSERT_TRUE(ScanLutFloat(&input, &first));
        EXPECT_EQ(ScanLutFloat(&input, &value), Bits(want) != Bits(-123.0f)) << text;
        EXPECT_EQ(Bits(value), Bits(want)) << text;
        std::string left;
        for (int c; (c = PeekLutByte(&input)) != EOF; TakeLutByte(&input)) left += static_cast<char>(c);
        EXPECT_EQ(left, rest) << text;
        CloseLutInput(&input);
    };
    second("0.1234567e2 ", 12.34567f, " ");
    second("0.12345678E-2,", 0.0012345678f, ",");
    second("0.1234567890123 1", 0.1234567890123f, " 1");
    second("0.123456789.5 ", 0.123456789f, ".5 ");
    second("-0.0000000 ", -0.0f, " ");
    second("0.12345678", 0.12345678f, "");
    second("0.1234567\n", 0.1234567f, "\n");
    second("0.1234567x1 ", 0.1234567f, "x1 ");
    second("0.12345678e+ ", -123.0f, " ");
}

// A double near a halfway point between two floats is refused, within as
// many ulps as it may lie from the value it stands for, since that may lie
// on the other side; one just beyond rounds as the double it is.
TEST(LutRoundNearToFloat, RefusedNearHalfwayBetweenFloats) {
    const float low = 0.3f, high = std::nextafter(low, 1.0f);
    const double halfway = (static_cast<double>(low) + static_cast<double>(high)) / 2;
    for (uint64_t ulps : {uint64_t{0}, kTenthPowerProductUlps}) {
        double below = halfway, above = halfway;
        for (uint64_t step = 0; step <= ulps + 1; step++) {
            float value = -123.0f;
            EXPECT_EQ(RoundNearToFloat(below, ulps, &value), step > ulps) << ulps << " " << step;
            EXPECT_EQ(Bits(value), Bits(step > ulps ? low : -123.0f)) << ulps << " " << step;
            value = -123.0f;
            EXPECT_EQ(RoundNearToFloat(above, ulps, &value), step > ulps) << ulps << " " << step;
            EXPECT_EQ(Bits(value), Bits(step > ulps ? high : -123.0f)) << ulps << " " << step;
            below = std::nextafter(below, 0.0);
            above = std::nextafter(above, 1.0);
        }
    }
}

}  // namespace
