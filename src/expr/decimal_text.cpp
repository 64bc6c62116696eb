// "%f" formatting and the number rule without the C library in the common cases. Rounding a
// double to six decimals is done on its exact binary value in 128-bit integers; larger values go
// to std::to_chars, which writes the same digits as printf many times faster (a value near 1E300
// has 301 of them). Reading uses the exact fast path for at most 19 digits and small exponents and
// the full reader otherwise.
#include "expr/decimal_text.h"
#include "model/argument_text.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace expr {
namespace {

__extension__ typedef unsigned __int128 Uint128;

constexpr double twoTo52 = 4503599627370496.0;
constexpr std::uint64_t twoTo53 = std::uint64_t{1} << 53;
constexpr std::uint64_t fivePowerSix = 15625; // 10^6 = 5^6 * 2^6

// Powers of ten that a double holds exactly.
constexpr std::array<double, 23> exactPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                     1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                     1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t copyText(std::string_view text, char* out)
{
    std::memcpy(out, text.data(), text.size());
    return text.size();
}

// Reads exponent digits after an e or E at text[begin]; returns the position after them, or begin
// when no digits follow (then the letter is not part of the number).
std::size_t readExponent(std::string_view text, std::size_t begin, int& exponent)
{
    std::size_t i = begin + 1;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !isDigit(text[i])) return begin;
    int value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        value = std::min(value * 10 + (text[i] - '0'), 100000); // far past any double's range
    exponent = negative ? -value : value;
    return i;
}

// Rounds |value| * 10^6 to a whole number, ties to even, on the exact binary value of `value`:
// value * 10^6 = mantissa * 5^6 * 2^(exponent + 6), a 67-bit product shifted right.
std::uint64_t exactMillionths(double value)
{
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(std::fabs(value));
    const int biasedExponent = static_cast<int>(bits >> 52);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    int exponent = -1074; // |value| = mantissa * 2^exponent
    if (biasedExponent != 0) {
        mantissa |= std::uint64_t{1} << 52;
        exponent = biasedExponent - 1075;
    }
    const Uint128 scaled = static_cast<Uint128>(mantissa) * fivePowerSix;
    const int shift = -(exponent + 6); // positive below millionthsRange
    if (shift > 70) return 0;          // scaled < 2^67: below half a millionth
    Uint128 whole = scaled >> shift;
    const Uint128 remainder = scaled & ((static_cast<Uint128>(1) << shift) - 1);
    const Uint128 half = static_cast<Uint128>(1) << (shift - 1);
    if (remainder > half || (remainder == half && (whole & 1) != 0)) ++whole;
    return static_cast<std::uint64_t>(whole);
}

} // namespace

std::optional<std::uint64_t> roundToMillionths(double value)
{
    const double magnitude = std::fabs(value);
    if (!(magnitude < millionthsRange)) return std::nullopt; // NaN fails too
    // The rounded product is a multiple of at most half a unit, so unless it lies exactly halfway
    // between two whole numbers, the exact product rounds to the same whole number.
    const double scaled = magnitude * 1e6;
    const double whole = (scaled + twoTo52) - twoTo52;
    if (std::fabs(scaled - whole) != 0.5) return static_cast<std::uint64_t>(whole);
    return exactMillionths(magnitude);
}

double millionthsOf(float value)
{
    const double scaled = static_cast<double>(value) * 1e6; // exact: 24 + 20 bits
    const double magnitude = std::fabs(scaled);
    if (magnitude >= twoTo52) return scaled; // already a whole number
    // Adding and removing 2^52 rounds to a whole number, ties to even, as printf does.
    return std::copysign((magnitude + twoTo52) - twoTo52, scaled);
}

double readBackFixed(float value)
{
    if (!std::isfinite(value)) return 0.0;
    // Both operands are exact, so the quotient is the double nearest to the decimal text.
    return millionthsOf(value) / 1e6;
}

double readBackLargeFixed(double value)
{
    const double magnitude = std::fabs(value);
    if (magnitude >= 2 * millionthsRange) return value;
    // Below 2^33 the value is a whole number of 2^-20 units, fewer than 2^53 of them, and
    // 10^6 / 2^20 = 15625 / 2^14; ties round to even, as printf rounds.
    const auto units = static_cast<std::uint64_t>(magnitude * 1048576.0);
    const Uint128 scaled = static_cast<Uint128>(units) * fivePowerSix;
    auto millionths = static_cast<std::uint64_t>(scaled >> 14);
    const auto remainder = static_cast<std::uint64_t>(scaled & 0x3FFF);
    if (remainder > 0x2000 || (remainder == 0x2000 && (millionths & 1) != 0)) ++millionths;
    return std::copysign(static_cast<double>(millionths) / 1e6, value);
}

std::size_t formatFixed(double value, std::span<char, fixedTextCapacity> out)
{
    char* text = out.data();
    if (std::isnan(value)) return copyText(std::signbit(value) ? "-nan" : "nan", text);
    if (std::isinf(value)) return copyText(value < 0 ? "-inf" : "inf", text);
    const std::optional<std::uint64_t> millionths = roundToMillionths(value);
    if (!millionths) {
        const std::to_chars_result written =
            std::to_chars(text, text + fixedTextCapacity, value, std::chars_format::fixed, 6);
        return written.ec == std::errc{} ? static_cast<std::size_t>(written.ptr - text) : 0;
    }
    std::size_t length = 0;
    if (std::signbit(value)) text[length++] = '-';
    std::uint64_t whole = *millionths / 1000000;
    std::uint64_t fraction = *millionths % 1000000;
    char digits[20];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    while (count > 0)
        text[length++] = digits[--count];
    text[length++] = '.';
    for (int i = 5; i >= 0; --i) {
        text[length + static_cast<std::size_t>(i)] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return length + 6;
}

double readNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';

    std::uint64_t mantissa = 0;
    int significantDigits = 0;
    int exponent = 0; // of the mantissa's last digit
    bool anyDigit = false;
    bool tooManyDigits = false;
    auto takeDigit = [&](char c, bool inFraction) {
        anyDigit = true;
        if (mantissa == 0 && c == '0') {
            if (inFraction) --exponent;
            return;
        }
        if (significantDigits == 19) {
            tooManyDigits = true;
            return;
        }
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
        ++significantDigits;
        if (inFraction) --exponent;
    };
    for (; i < text.size() && isDigit(text[i]); ++i)
        takeDigit(text[i], false);
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && isDigit(text[i]); ++i)
            takeDigit(text[i], true);
    if (!anyDigit) return 0.0;
    int written = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) readExponent(text, i, written);

    if (tooManyDigits) return model::readDecimal(text).value_or(0.0);
    if (mantissa == 0) return negative ? -0.0 : 0.0;
    const int total = exponent + written;
    if (mantissa > twoTo53 || total < -22 || total > 22)
        return model::readDecimal(text).value_or(0.0);
    // Both operands are exact, so one rounding gives the nearest double.
    const double power = exactPowersOfTen[static_cast<std::size_t>(total < 0 ? -total : total)];
    const double magnitude =
        total < 0 ? static_cast<double>(mantissa) / power : static_cast<double>(mantissa) * power;
    return negative ? -magnitude : magnitude;
}

} // namespace expr
