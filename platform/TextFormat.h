#pragma once
// printf-style formatting into std::string, as the original runtime did it: "%.2f" (and any "%.Nf")
// rounds a value exactly halfway between two last digits up, away from zero, where glibc's printf
// rounds it to even (0.125 gives "0.13" here, "0.12" there). Every decimal display of the program
// goes through here. An infinite value prints as "infinite" ("-infinite"), NaN as "NaN".
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace platform {

// Numbers as a list in words: "0, 2, 5".
std::string NumberList(const std::vector<int>& numbers);

// One value with N decimals, halves rounded away from zero.
std::string FormatDecimals(double value, int decimals);
inline std::string FormatTwoDecimals(double value) { return FormatDecimals(value, 2); }

namespace detail {
struct FormatArg {
    enum class Kind { Signed, Unsigned, Double, String, Char } kind;
    long long i = 0;
    unsigned long long u = 0;
    double d = 0;
    std::string_view s;
};
inline FormatArg MakeArg(double v) { return {FormatArg::Kind::Double, 0, 0, v, {}}; }
inline FormatArg MakeArg(const char* v) { return {FormatArg::Kind::String, 0, 0, 0, v ? v : "(null)"}; }
inline FormatArg MakeArg(const std::string& v) { return {FormatArg::Kind::String, 0, 0, 0, v}; }
inline FormatArg MakeArg(std::string_view v) { return {FormatArg::Kind::String, 0, 0, 0, v}; }
inline FormatArg MakeArg(char v) { return {FormatArg::Kind::Char, v, 0, 0, {}}; }
template <typename T>
    requires std::is_integral_v<T> && (!std::is_same_v<T, char>)
inline FormatArg MakeArg(T v)
{
    if constexpr (std::is_signed_v<T>)
        return {FormatArg::Kind::Signed, static_cast<long long>(v), 0, 0, {}};
    else
        return {FormatArg::Kind::Unsigned, 0, static_cast<unsigned long long>(v), 0, {}};
}
template <typename T>
    requires std::is_floating_point_v<T> && (!std::is_same_v<T, double>)
inline FormatArg MakeArg(T v) { return MakeArg(static_cast<double>(v)); }

std::string FormatArgs(std::string_view format, const std::vector<FormatArg>& args);
}  // namespace detail

// Conversions: %d %i %u %x %X %c %s %f %.Nf %e %g with flags, width and precision, and %%. Integer
// arguments are taken with the width of the conversion ("%d" of a signed 32-bit value, "%u" unsigned),
// as the originals passed 32-bit values. Too few arguments print nothing for the missing ones.
template <typename... Args>
std::string TextFormat(std::string_view format, const Args&... args)
{
    return detail::FormatArgs(format, {detail::MakeArg(args)...});
}

}  // namespace platform
