#include "platform/CpuidDump.h"

#include <cctype>
#include <charconv>
#include <map>
#include <vector>

#include "platform/InputFile.h"
#include "platform/TextFormat.h"
#include "platform/TextTrim.h"

namespace platform {

namespace {

constexpr size_t kMaxDumpBytes = 4u << 20;

std::vector<std::string_view> Words(std::string_view s)
{
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
        size_t start = i;
        while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i]))) ++i;
        if (i > start) words.push_back(s.substr(start, i - start));
    }
    return words;
}

// A hexadecimal 32-bit number, with or without 0x; the whole word must be used.
bool ParseHex(std::string_view word, uint32_t& value)
{
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) word.remove_prefix(2);
    if (word.empty() || word.size() > 8) return false;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    return ec == std::errc{} && end == word.data() + word.size();
}

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

struct Entry {
    uint32_t leaf, subleaf;
    CpuidRegs regs;
};

// "0x00000000 0x00: eax=0x... ebx=0x... ecx=0x... edx=0x..."
Entry ParseRawLine(std::string_view line, int number)
{
    auto words = Words(line);
    if (words.size() != 6 || words[1].empty() || words[1].back() != ':')
        throw CCpuidDumpError(number, "expected 'LEAF SUBLEAF: eax=.. ebx=.. ecx=.. edx=..'");
    uint32_t leaf = 0, subleaf = 0;
    if (!ParseHex(words[0], leaf) || !ParseHex(words[1].substr(0, words[1].size() - 1), subleaf))
        throw CCpuidDumpError(number, "bad leaf or subleaf number");
    static constexpr std::string_view names[] = {"eax=", "ebx=", "ecx=", "edx="};
    uint32_t values[4] = {};
    for (int i = 0; i < 4; ++i) {
        std::string_view w = words[2 + i];
        if (!StartsWith(w, names[i]) || !ParseHex(w.substr(4), values[i]))
            throw CCpuidDumpError(number, "bad register value '" + std::string(w) + "'");
    }
    return {leaf, subleaf, {values[0], values[1], values[2], values[3]}};
}

Entry ParsePlainLine(std::string_view line, int number)
{
    auto words = Words(line);
    if (words.size() != 6) throw CCpuidDumpError(number, "expected six hexadecimal numbers: LEAF SUBLEAF EAX EBX ECX EDX");
    uint32_t v[6] = {};
    for (int i = 0; i < 6; ++i) {
        if (!ParseHex(words[i], v[i]))
            throw CCpuidDumpError(number, "'" + std::string(words[i]) + "' is not a 32-bit hexadecimal number");
    }
    return {v[0], v[1], {v[2], v[3], v[4], v[5]}};
}

}  // namespace

CpuidRegs CCpuidDump::Query(uint32_t leaf, uint32_t subleaf) const
{
    auto it = leaves_.find({leaf, subleaf});
    return it == leaves_.end() ? CpuidRegs{} : it->second;
}

CCpuidDump ParseCpuidDump(std::string_view text)
{
    CCpuidDump dump;
    bool rawFormat = false;
    int cpusSeen = 0;
    int number = 0;
    std::map<std::pair<uint32_t, uint32_t>, int> lineOf;  // of every leaf and subleaf read
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string_view::npos) eol = text.size();
        std::string_view line = text.substr(pos, eol - pos);
        pos = eol + 1;
        ++number;
        if (line.find('\0') != std::string_view::npos) throw CCpuidDumpError(number, "binary data in a text dump");
        std::string_view trimmed = TrimWhiteSpace(line);
        if (trimmed.empty()) continue;
        if (trimmed.front() == '#') {
            std::string_view comment = TrimWhiteSpace(trimmed.substr(1));
            if (StartsWith(comment, "cpu:") && dump.Description().empty())
                dump.SetDescription(std::string(TrimWhiteSpace(comment.substr(4))));
            continue;
        }
        // `cpuid -r` starts each processor with "CPU:" or "CPU n:"; only the first is read.
        if (StartsWith(trimmed, "CPU") && trimmed.back() == ':') {
            rawFormat = true;
            if (++cpusSeen > 1) break;
            continue;
        }
        // A comment may follow the numbers.
        trimmed = TrimWhiteSpace(trimmed.substr(0, trimmed.find('#')));
        const Entry entry = rawFormat || trimmed.find("eax=") != std::string_view::npos ? ParseRawLine(trimmed, number)
                                                                                         : ParsePlainLine(trimmed, number);
        // Two answers to one question: which one the processor gave cannot be told.
        const auto [first, added] = lineOf.emplace(std::pair(entry.leaf, entry.subleaf), number);
        if (!added)
            throw CCpuidDumpError(number, TextFormat("leaf 0x%X subleaf 0x%X is given again (first on line %d)",
                                                    entry.leaf, entry.subleaf, first->second));
        dump.Set(entry.leaf, entry.subleaf, entry.regs);
    }
    if (dump.Size() == 0) throw CCpuidDumpError(0, "the dump holds no CPUID leaf");
    return dump;
}

CCpuidDump LoadCpuidDump(const std::string& path)
{
    std::string text;
    std::string why;
    switch (ReadWholeFile(path, kMaxDumpBytes, text, why)) {
    case WholeFileStatus::Ok: break;
    case WholeFileStatus::CannotOpen: throw CCpuidDumpError(0, why);
    case WholeFileStatus::ReadFailed: throw CCpuidDumpError(0, "cannot read '" + path + "': " + why);
    case WholeFileStatus::TooLarge: throw CCpuidDumpError(0, "'" + path + "' is too large for a CPUID dump");
    }
    try {
        return ParseCpuidDump(text);
    } catch (const CCpuidDumpError& e) {
        throw CCpuidDumpError(e.Line(), e.Detail(), path);
    }
}

}  // namespace platform
