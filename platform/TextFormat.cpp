#include "platform/TextFormat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace platform {

std::string NumberList(const std::vector<int>& numbers)
{
    std::string list;
    for (int n : numbers) list += (list.empty() ? "" : ", ") + std::to_string(n);
    return list;
}

std::string FormatDecimals(double value, int decimals)
{
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "infinite" : "-infinite";
    if (decimals < 0) decimals = 0;
    // glibc prints the exact decimal expansion of a double when asked for enough digits, so the
    // rounding below is decided on the exact value. The expansion ends at the lowest set bit (1074
    // places for the smallest subnormal); below a tenth of the last kept place nothing can round up,
    // and the digits after that one need not be exact. Printing no more than that keeps a huge or tiny
    // value as cheap as an ordinary one.
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);
    const int lowestBit = exponent - 53 + std::countr_zero(static_cast<uint64_t>(std::ldexp(fraction, 53)));
    const bool tiny = std::fabs(value) < std::pow(10.0, -(decimals + 1));
    const int places = tiny ? decimals + 1 : std::min(std::max(-lowestBit, decimals + 1), 1100);
    char exact[1500];
    std::snprintf(exact, sizeof exact, "%.*f", places, std::fabs(value));
    std::string digits(exact);
    size_t point = digits.find('.');
    std::string kept = digits.substr(0, point + (decimals > 0 ? 1 + decimals : 0));
    bool roundUp = digits[point + 1 + decimals] >= '5';
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[i] == '.') continue;
            if (kept[i] == '9') {
                kept[i] = '0';
            } else {
                ++kept[i];
                break;
            }
        }
        if (i < 0) kept.insert(kept.begin(), '1');
    }
    bool negative = std::signbit(value) && kept.find_first_not_of("0.") != std::string::npos;
    return negative ? "-" + kept : kept;
}

namespace detail {

namespace {

// One conversion of the format, split into its parts.
struct Conversion {
    std::string flags;
    int width = -1;
    int precision = -1;
    char conversion = 0;
};

std::string Pad(std::string text, const Conversion& conv)
{
    if (conv.width < 0 || static_cast<int>(text.size()) >= conv.width) return text;
    size_t fill = static_cast<size_t>(conv.width) - text.size();
    if (conv.flags.find('-') != std::string::npos) return text + std::string(fill, ' ');
    if (conv.flags.find('0') != std::string::npos && !text.empty()) {
        size_t signEnd = (text[0] == '-' || text[0] == '+' || text[0] == ' ') ? 1 : 0;
        return text.insert(signEnd, fill, '0');
    }
    return std::string(fill, ' ') + text;
}

std::string WithPrintf(const Conversion& conv, const FormatArg& arg)
{
    std::string fmt = "%" + conv.flags;
    if (conv.width >= 0) fmt += std::to_string(conv.width);
    if (conv.precision >= 0) fmt += "." + std::to_string(conv.precision);
    char buffer[512];
    switch (conv.conversion) {
    case 'd':
    case 'i': {
        long long v = arg.kind == FormatArg::Kind::Unsigned ? static_cast<long long>(arg.u) : arg.i;
        if (arg.kind == FormatArg::Kind::Double) v = static_cast<long long>(arg.d);
        std::snprintf(buffer, sizeof buffer, (fmt + "d").c_str(), static_cast<int>(static_cast<int32_t>(v)));
        break;
    }
    case 'u':
    case 'x':
    case 'X': {
        unsigned long long v = arg.kind == FormatArg::Kind::Signed ? static_cast<unsigned long long>(arg.i) : arg.u;
        if (arg.kind == FormatArg::Kind::Double) v = static_cast<unsigned long long>(arg.d);
        std::snprintf(buffer, sizeof buffer, (fmt + conv.conversion).c_str(),
                      static_cast<unsigned>(static_cast<uint32_t>(v)));
        break;
    }
    case 'c':
        std::snprintf(buffer, sizeof buffer, (fmt + "c").c_str(), static_cast<int>(arg.i));
        break;
    default: {
        double v = arg.kind == FormatArg::Kind::Double     ? arg.d
                   : arg.kind == FormatArg::Kind::Unsigned ? static_cast<double>(arg.u)
                                                           : static_cast<double>(arg.i);
        std::snprintf(buffer, sizeof buffer, (fmt + conv.conversion).c_str(), v);
        break;
    }
    }
    return buffer;
}

std::string Convert(const Conversion& conv, const FormatArg& arg)
{
    if (conv.conversion == 's') {
        std::string_view s = arg.kind == FormatArg::Kind::String ? arg.s : std::string_view{};
        if (conv.precision >= 0 && static_cast<size_t>(conv.precision) < s.size()) s = s.substr(0, conv.precision);
        return Pad(std::string(s), conv);
    }
    if (conv.conversion == 'f' || conv.conversion == 'F') {
        double v = arg.kind == FormatArg::Kind::Double     ? arg.d
                   : arg.kind == FormatArg::Kind::Unsigned ? static_cast<double>(arg.u)
                                                           : static_cast<double>(arg.i);
        std::string text = FormatDecimals(v, conv.precision < 0 ? 6 : conv.precision);
        if (text[0] != '-' && std::isfinite(v)) {
            if (conv.flags.find('+') != std::string::npos)
                text = "+" + text;
            else if (conv.flags.find(' ') != std::string::npos)
                text = " " + text;
        }
        Conversion padding = conv;
        if (!std::isfinite(v)) padding.flags.erase(std::remove(padding.flags.begin(), padding.flags.end(), '0'), padding.flags.end());
        return Pad(text, padding);
    }
    return WithPrintf(conv, arg);
}

}  // namespace

std::string FormatArgs(std::string_view format, const std::vector<FormatArg>& args)
{
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        Conversion conv;
        size_t j = i + 1;
        while (j < format.size() && std::string_view("-+ #0").find(format[j]) != std::string_view::npos)
            conv.flags += format[j++];
        if (j < format.size() && format[j] >= '0' && format[j] <= '9') {
            conv.width = 0;
            while (j < format.size() && format[j] >= '0' && format[j] <= '9') conv.width = conv.width * 10 + (format[j++] - '0');
        }
        if (j < format.size() && format[j] == '.') {
            ++j;
            conv.precision = 0;
            while (j < format.size() && format[j] >= '0' && format[j] <= '9')
                conv.precision = conv.precision * 10 + (format[j++] - '0');
        }
        while (j < format.size() && std::string_view("hlLqjzt").find(format[j]) != std::string_view::npos) ++j;
        if (j >= format.size()) {
            out += format.substr(i);
            break;
        }
        conv.conversion = format[j];
        if (std::string_view("diuxXcsfFeEgG").find(conv.conversion) == std::string_view::npos) {
            out += format.substr(i, j - i + 1);
        } else if (next < args.size()) {
            out += Convert(conv, args[next++]);
        }
        i = j;
    }
    return out;
}

}  // namespace detail

}  // namespace platform
