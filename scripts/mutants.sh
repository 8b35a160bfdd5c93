#!/usr/bin/env bash
# Mutation testing: plants one small fault at a time in a scratch copy of the tree, builds the tests
# and runs them. A fault the tests let through is a fault a user could meet in a release.
#
# Usage: scripts/mutants.sh [NAME_PATTERN]     (an extended regular expression on the mutation names)
# Environment: VEXT_MUTANTS_DIR (scratch folder, default /tmp/vext-mutants), VEXT_MUTANTS_REF (a commit
# to test instead of the working tree), VEXT_MUTANTS_TIMEOUT (seconds per test binary, default 300),
# VEXT_MUTANTS_FILTER (a --gtest_filter for the test binaries).
#
# Each mutation is found by the exact text of the line it changes, anywhere in the product folders, so
# the list keeps working while files move. A text found nowhere, or in more than one place, is reported
# "not applied"; a mutant that does not compile is reported "no build". Neither counts as caught or missed.
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
scratch=${VEXT_MUTANTS_DIR:-/tmp/vext-mutants}
limit=${VEXT_MUTANTS_TIMEOUT:-300}
only=${1:-.}
# Runs from a copy: bash reads a script as it goes, and the tree's copy may change during a run.
if [ -z "${VEXT_MUTANTS_COPY:-}" ]; then
    mkdir -p "$scratch" && cp "$0" "$scratch/mutants.sh"
    VEXT_MUTANTS_COPY=1 VEXT_MUTANTS_HERE=$here exec bash "$scratch/mutants.sh" "$@"
fi
here=${VEXT_MUTANTS_HERE:-$here}
folders=(platform cpu sysinfo facts bench files res results widgets pages app)
# The tests that run real benchmark kernels are left out: they take time and no mutant here needs them.
slow=${VEXT_MUTANTS_FILTER:-*}

# name @@ exact original text (unique in the product folders) @@ replacement
mutations=$(cat <<'LIST'
platform-round-half @@ bool roundUp = digits[point + 1 + decimals] >= '5'; @@ bool roundUp = digits[point + 1 + decimals] > '5';
platform-zero-pad @@ return text.insert(signEnd, fill, '0'); @@ return text.insert(signEnd, fill, ' ');
platform-hex-width @@ if (word.empty() || word.size() > 8) return false; @@ if (word.empty() || word.size() > 7) return false;
platform-second-cpu @@ if (++cpusSeen > 1) break; @@ if (++cpusSeen > 2) break;
platform-kb-bytes @@ return kb * 1024; @@ return kb * 1000;
platform-memfree @@ if (m.availPhys == 0) m.availPhys = MeminfoBytes(procMeminfo, "MemFree"); @@ if (m.availPhys == 0) m.availPhys = MeminfoBytes(procMeminfo, "Buffers");
platform-specials-length @@ if (text.size() > 127) text.resize(127); @@ if (text.size() > 128) text.resize(128);
cpu-vendor-register @@ PutRegister(text + 4, r.edx); @@ PutRegister(text + 4, r.ecx);
cpu-byte-order @@ for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFFu); @@ for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * (3 - i))) & 0xFFu);
cpu-brand-leaf @@ if (machine.Cpuid(kExtendedBase).eax > kExtendedBase) { @@ if (machine.Cpuid(kExtendedBase).eax > kExtendedBase + 4) {
cpu-clock-window @@ if (int64_t{v} - 3 <= m && m <= int64_t{v} + 3) return v; @@ if (int64_t{v} - 3 <= m && m <= int64_t{v} + 2) return v;
cpu-amd-last-clock @@ 950, 1000, 1100, 1200, 0, @@ 950, 1000, 1100, 1300, 0,
cpu-overclock-mark @@ if (standardMHz == -1) return platform::TextFormat("%d MHz (oc)", measuredMHz); @@ if (standardMHz == -1) return platform::TextFormat("%d MHz", measuredMHz);
cpu-summary-ram @@ const uint64_t mb = (bytes >> 20) + 1; @@ const uint64_t mb = (bytes >> 20);
cpu-amd-4mb-entries @@ pages4Mb = platform::TextFormat("4 Mb pages, %s associative, %d entries", ways, entries2Mb / 2); @@ pages4Mb = platform::TextFormat("4 Mb pages, %s associative, %d entries", ways, entries2Mb);
cpu-amd-dtlb-half @@ TlbTexts(Bits(r.eax, lowBit, lowBit + 15), Bits(r.ebx, lowBit, lowBit + 15), r.eax, pages4Mb, pages4Kb); @@ TlbTexts(Bits(r.eax, lowBit, lowBit + 15), Bits(r.ebx, 0, 15), r.eax, pages4Mb, pages4Kb);
cpu-intel-deschutes @@ return sizes.l2Kb < 512 ? kSmallL2Name : kLargeL2Name; @@ return sizes.l2Kb <= 512 ? kSmallL2Name : kLargeL2Name;
cpu-intel-ext-family @@ if (Bits(eax, 8, 11) == 15) { @@ if (Bits(eax, 8, 11) == 14) {
cpu-intel-serial @@ serial.middle = static_cast<int32_t>(r.edx); @@ serial.middle = static_cast<int32_t>(r.ebx);
cpu-subleaf-gate @@ return first && first->eax >= word.subleaf; @@ return first.has_value();
cpu-padlock-family @@ return (leaves.Vendor() == "CentaurHauls" && family >= 6u) || leaves.Vendor() == "  Shanghai  "; @@ return (leaves.Vendor() == "CentaurHauls" && family >= 5u) || leaves.Vendor() == "  Shanghai  ";
cpu-centaur-range @@ : range == 0xC0000000 ? maxCentaur_ @@ : range == 0xC0000000 ? 0xC000FFFF
cpu-word-register @@ {0x80000008, 0, Reg::Ebx, kExt8Ebx, Gate::None}, @@ {0x80000008, 0, Reg::Ecx, kExt8Ebx, Gate::None},
cpu-cache-sharing @@ ((r->eax >> 14) & 0xFFF) + 1}); @@ ((r->eax >> 14) & 0x3FFF) + 1});
cli-cache-method @@ sheet.rows.back().method = CacheMethod(i); @@ sheet.rows.back().method = CacheMethod(0);
bench-cache-repetitions @@ constexpr uint32_t CacheMethodRepetitions(CacheBenchMethod method) { return method == kCacheMovsd ? 4000u : 2000u; } @@ constexpr uint32_t CacheMethodRepetitions(CacheBenchMethod method) { return method == kCacheMovsd ? 4000u : 1000u; }
bench-cache-megabyte @@ const long double megabytes = static_cast<long double>(creditedBytes) * 0x1p-20L; @@ const long double megabytes = static_cast<long double>(creditedBytes) * 1e-6L;
bench-cache-credit @@ return static_cast<double>(blockBytes) * CacheMethodRepetitions(method); @@ return static_cast<double>(blockBytes) * CacheMethodRepetitions(kCacheMovsd);
bench-whetstone-n7 @@ const int32_t n7 = 616 * x100; @@ const int32_t n7 = 615 * x100;
bench-dhrystone-rate @@ const double rating = static_cast<double>(passes) / seconds / 1000.0; @@ const double rating = static_cast<double>(passes) / seconds / 1024.0;
bench-sattolo @@ const uint32_t j = std::uniform_int_distribution<uint32_t>(0, i - 2)(random); @@ const uint32_t j = std::uniform_int_distribution<uint32_t>(0, i - 1)(random);
bench-pin-package @@ const auto [at, added] = coreIndex.try_emplace({cpu.package, cpu.core}, cores.size()); @@ const auto [at, added] = coreIndex.try_emplace({0, cpu.core}, cores.size());
bench-pin-siblings @@ if (round < core.size()) order.push_back(core[round]); @@ if (round < core.size()) order.push_back(core[core.size() - 1 - round]);
bench-xcr0-zmm @@ constexpr uint64_t kAvx512 = 0xE0; @@ constexpr uint64_t kAvx512 = 0x20;
bench-copy-half @@ case Method::Copy: return memkernels::CopyPass(block + blockBytes / 2, block, blockBytes / 2); @@ case Method::Copy: return memkernels::CopyPass(block + blockBytes / 2, block, blockBytes / 4);
bench-slowest-sum @@ return creditedBytesPerThread * threads / slowestSeconds * 1e-9; @@ return creditedBytesPerThread / slowestSeconds * 1e-9;
bench-plateau-median @@ rows.push_back(members.empty() ? std::nullopt : std::optional<size_t>(members[members.size() / 2])); @@ rows.push_back(members.empty() ? std::nullopt : std::optional<size_t>(members[(members.size() - 1) / 2]));
bench-instruction-cache @@ if (cache.type != cpu::CacheType::Instruction) sizes[cache.level] = std::max(sizes[cache.level], cache.sizeBytes); @@ sizes[cache.level] = std::max(sizes[cache.level], cache.sizeBytes);
files-summary-length @@ if (summary.size() <= kSummaryMaxLength) return std::string(summary); @@ if (summary.size() <= kSummaryFieldSize) return std::string(summary);
files-u32-order @@ for (int i = 0; i < 4; ++i) out_[pos_++] = static_cast<uint8_t>(v >> (8 * i)); @@ for (int i = 0; i < 4; ++i) out_[pos_++] = static_cast<uint8_t>(v >> (8 * (3 - i)));
files-short-read @@ if (n == 0) return ResultFileStatus::TooShort; @@ if (n == 0) break;
files-keep-mode @@ if (::fchmod(fd.get(), existing.st_mode & 0777) != 0) error = errno; @@ if (::fchmod(fd.get(), 0600) != 0) error = errno;
files-crlf @@ if (c == '\n') out.push_back('\r'); @@ if (c == '\r') out.push_back('\r');
files-feature-label @@ {8, "   CMPXCHG8 Instruction : ", 6}, @@ {8, "   CMPXCHG8 Instruction :", 6},
files-3dnow-bit @@ {30, "   AMD 3DNow! Extended Instructions :", 1}, @@ {31, "   AMD 3DNow! Extended Instructions :", 1},
files-date-width @@ return platform::TextFormat("%s %02d, %04d", kMonths[local.tm_mon % 12], local.tm_mday, local.tm_year + 1900); @@ return platform::TextFormat("%s %2d, %04d", kMonths[local.tm_mon % 12], local.tm_mday, local.tm_year + 1900);
files-serial-na @@ if (serial.middle == 0) return "N/A"; @@ if (serial.low == 0) return "N/A";
files-cpu-total-row @@ {1, 2, 3, 4, 7, 8, 9, 10, 11, 12, 13, 16, 17, 18, 20}; @@ {1, 2, 3, 4, 7, 8, 9, 10, 11, 12, 13, 16, 17, 18, 19};
files-cache-row @@ int CacheResultRow(int index) { return index + 1 + 2 * (index / CacheResults::kBlockSizes); } @@ int CacheResultRow(int index) { return index + 1 + (index / CacheResults::kBlockSizes); }
winfo-first-build @@ {340, "Windows NT 3.1 (beta)"}, @@ {341, "Windows NT 3.1 (beta)"},
winfo-last-build @@ {2195, "Windows 2000"}, @@ {2196, "Windows 2000"},
winfo-98se-blank @@ return "Windows'98 SE "; @@ return "Windows'98 SE";
winfo-minutes @@ uint32_t minutes = (t % 3600000u) / 60000u; @@ uint32_t minutes = t / 60000u;
winfo-unkown @@ return "Unkown"; @@ return "Unknown";
res-report-mnemonic @@ {ControlKind::Button, IDC_PROC_REPORT, "&Report", 295, 36, 56, 14}, @@ {ControlKind::Button, IDC_PROC_REPORT, "Report", 295, 36, 56, 14},
res-template-list @@     CacheResultsTemplate, @@     CacheBenchTemplate,
pages-list-label @@ list->InsertItem(row, wxString::FromUTF8(fact.listLabel)); @@ list->InsertItem(row, wxString::FromUTF8(fact.reportText.c_str()));
pages-legend-length @@ chart.SetData(yourResults_, loadedResults_, CutSummary(YourSummary()), CutSummary(LoadedSummary())); @@ chart.SetData(yourResults_, loadedResults_, YourSummary(), CutSummary(LoadedSummary()));
app-close-label @@ if (wxWindow* ok = FindWindow(wxID_OK)) ok->SetLabel("Close"); @@ if (wxWindow* ok = FindWindow(wxID_OK)) ok->SetLabel("OK");
cli-label-width @@ static constexpr int kLabelWidth = 40; @@ static constexpr int kLabelWidth = 39;
cli-negative-mhz @@ ->check(CLI::Range(0, std::numeric_limits<int>::max()).description("")); @@ ->check(CLI::Range(-100, std::numeric_limits<int>::max()).description(""));
cli-loaded-line @@ PrintSheet("Loaded System", *sheet); @@ PrintSheet("Loaded system", *sheet);
files-no-replace @@ if (::renameat2(folder, temp.c_str(), folder, target.c_str(), RENAME_NOREPLACE) == 0) return {}; @@ if (::renameat(folder, temp.c_str(), folder, target.c_str()) == 0) return {};
cli-keep-by-default @@ switch (WriteResultFile(path, record, overwrite ? ExistingFile::Replace : ExistingFile::Keep, &error)) { @@ switch (WriteResultFile(path, record, ExistingFile::Replace, &error)) {
cli-unwritable-target @@ if (!probe.ok()) return {FileWriteStatus::CannotCreate, errno}; @@ if (false) return {FileWriteStatus::CannotCreate, errno};
cli-output-error @@ return !std::ferror(out); @@ return true;
cli-json-c1 @@ } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) { @@ } else if (c == 0xC2 && next >= 0x80 && next <= 0x9A) {
cli-compare-names @@ if (std::count(heads.begin(), heads.end(), heads[f]) > 1) headers[f] = Tail(TerminalText(paths[f])); @@ if (std::count(heads.begin(), heads.end(), heads[f]) > 2) headers[f] = Tail(TerminalText(paths[f]));
cli-error-escape @@ std::fprintf(stderr, "vext-cli %s: %s\n", command, results::TerminalText(message).c_str()); @@ std::fprintf(stderr, "vext-cli %s: %s\n", command, message.c_str());
platform-dump-twice @@ if (!added) @@ if (false)
platform-utf8-surrogate @@ if (lead == 0xED) high = 0x9F; @@ if (lead == 0xED) high = 0xBF;
platform-boot-single @@ if (word == "single" || word == "S" || word == "1" || word == "rescue" || word == "emergency" || @@ if (word == "singles" || word == "S" || word == "1" || word == "rescue" || word == "emergency" ||
platform-bare-label @@ if (name.ends_with(':')) name = Trim(name.substr(0, name.size() - 1), " \n"); @@ if (name.ends_with(';')) name = Trim(name.substr(0, name.size() - 1), " \n");
platform-fifo @@ if (!S_ISREG(st.st_mode)) { @@ if (false) {
cpu-hypervisor-bit @@ constexpr uint32_t kHypervisorBit = 1u << 31; @@ constexpr uint32_t kHypervisorBit = 1u << 30;
bench-precise-repeats @@ for (int i = 0; i < repeat; ++i) values.push_back(measure()); @@ for (int i = 1; i < repeat; ++i) values.push_back(measure());
bench-precise-blocks @@ const uint64_t wanted = 4 * largestCacheBytes.value_or(kAssumedLargestCache); @@ const uint64_t wanted = 2 * largestCacheBytes.value_or(kAssumedLargestCache);
bench-latency-cycle @@ const uint32_t j = std::uniform_int_distribution<uint32_t>(0, i - 2)(random); @@ const uint32_t j = std::uniform_int_distribution<uint32_t>(0, i - 1)(random);
bench-plateau-bounds @@ if (blocks[i] > level.above && (level.upTo == 0 || blocks[i] <= level.upTo)) members.push_back(i); @@ if (blocks[i] >= level.above && (level.upTo == 0 || blocks[i] <= level.upTo)) members.push_back(i);
bench-cache-failure @@ if (memory == nullptr) return {0, BenchFailure::CacheMemory}; @@ if (memory == nullptr) return {0, BenchFailure::None};
bench-failure-text @@ case BenchFailure::WhetstoneCalculation: return "Calculation Error !"; @@ case BenchFailure::WhetstoneCalculation: return "Calculation error !";
files-rows-spacer @@ void Spacer() { rows_.push_back({"", "", BoxedFact::None, false, {}}); } @@ void Spacer() { rows_.push_back({"\n", "", BoxedFact::None, false, {}}); }
cli-precise-total @@ total += static_cast<uint32_t>(s.best); @@ total += static_cast<uint32_t>(s.best) + 1;
cli-dhrystone-min @@ inline constexpr double kDhrystoneMinSeconds = 0.5; @@ inline constexpr double kDhrystoneMinSeconds = 0.25;
cli-summary-mads @@ constexpr double kOutlierMads = 3.0; @@ constexpr double kOutlierMads = 30.0;
pages-unsaved-run @@ unsavedRun_ = true; @@ unsavedRun_ = false;
files-extension-case @@ if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a'); @@ if (c >= 'D' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
cpu-amx-names @@ {23, "avx512_fp16"}, {24, "amx_tile"}, {25, "amx_int8"}, {28, "flush_l1d"}, @@ {23, "avx512_fp16"}, {24, "amx_int8"}, {25, "amx_tile"}, {28, "flush_l1d"},
platform-utf8-continuation @@ constexpr bool IsUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; } @@ constexpr bool IsUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xE0) == 0x80; }
files-kind-rows @@ const ResultFileKind kCacheResultFile = {"cache", "Cache Benchmarks (*.cache)|*.cache||", kCacheRecordSize, kCacheList}; @@ const ResultFileKind kCacheResultFile = {"cache", "Cache Benchmarks (*.cache)|*.cache||", kCacheRecordSize, kFpuList};
platform-save-as-prompt @@ return {std::move(filter), std::move(extension), true, false, std::move(title)}; @@ return {std::move(filter), std::move(extension), false, false, std::move(title)};
bench-thread-calculation @@ for (BenchFailure failure : failures) ReportBenchFailure(onFailure, failure); @@ for (BenchFailure failure : failures) (void)failure;
cli-run-failure-status @@ const int delivered = result.Deliver(status == 0 && failures.Any() ? 2 : status); @@ const int delivered = result.Deliver(status);
cli-output-hidden @@ if (name.empty() || (name.native().front() == '.' && !name.has_extension()) || name.native().front() == '=') { @@ if (name.empty() || name.native().front() == '=') {
cli-later-rows-placed @@ std::size_t at = listRow < 0 ? placed.size() : 0; @@ std::size_t at = placed.size();
cli-pad-characters @@ for (char c : text) shown += !platform::IsUtf8Continuation(c); @@ for (char c : text) shown += c != 0;
cli-unmeasured-block @@ if (row.runs.empty()) blocks.push_back(row.blockBytes); @@ if (row.runs.empty() && row.blockBytes < 4096) blocks.push_back(row.blockBytes);
files-plausible-kernel @@ case ResultQuantity::KernelMs: return {0.0, kDaySeconds * 1000.0}; @@ case ResultQuantity::KernelMs: return {0.0, kDaySeconds * 1001.0};
files-plausible-total @@ case ResultQuantity::CpuTotalMs: return {0.0, 13.0 * kDaySeconds * 1000.0}; @@ case ResultQuantity::CpuTotalMs: return {0.0, 14.0 * kDaySeconds * 1000.0};
files-plausible-rating @@ case ResultQuantity::Rating: return {0.0, 1e9}; @@ case ResultQuantity::Rating: return {0.0, 1.5e9};
files-plausible-rate-least @@ case ResultQuantity::Rate: return {1e-9, 1e9}; @@ case ResultQuantity::Rate: return {1e-10, 1e9};
files-plausible-rate-most @@ case ResultQuantity::Rate: return {1e-9, 1e9}; @@ case ResultQuantity::Rate: return {1e-9, 1e10};
files-plausible-seconds @@ case ResultQuantity::Seconds: return {1e-9, kDaySeconds}; @@ case ResultQuantity::Seconds: return {1e-9, 2 * kDaySeconds};
files-plausible-wrap @@ case ResultQuantity::WrappedSeconds: return {-kTickWrapSeconds, -kN1TickWrapSeconds + kDaySeconds}; @@ case ResultQuantity::WrappedSeconds: return {-kTickWrapSeconds - 1, -kN1TickWrapSeconds + kDaySeconds};
files-plausible-zero @@ return value == 0.0 || (value >= range.least && value <= range.most); @@ return value >= range.least && value <= range.most;
files-plausible-edge @@ return value == 0.0 || (value >= range.least && value <= range.most); @@ return value == 0.0 || (value > range.least && value <= range.most);
files-plausible-wrapped @@ return PlausibleValue(ResultQuantity::Seconds, seconds) || PlausibleValue(ResultQuantity::WrappedSeconds, seconds); @@ return PlausibleValue(ResultQuantity::Seconds, seconds);
files-plausible-unit-mark @@ bool PlausibleWhetstoneRate(double rate) { return rate == -1.0 || PlausibleValue(ResultQuantity::Rate, rate); } @@ bool PlausibleWhetstoneRate(double rate) { return rate < 0 || PlausibleValue(ResultQuantity::Rate, rate); }
files-plausible-fpu-total @@ if (!PlausibleSeconds(results.totalSeconds)) return 25; @@ if (false) return 25;
files-plausible-infinity @@ if (!(results.rates[i] == kInfinity || PlausibleValue(ResultQuantity::Rate, results.rates[i]))) return i; @@ if (!(results.rates[i] >= 1e300 || PlausibleValue(ResultQuantity::Rate, results.rates[i]))) return i;
files-load-refuses @@ if (load.status == ResultFileStatus::Ok && ImplausibleValue(load.loaded->results)) load.status = ResultFileStatus::Implausible; @@ if (false) load.status = ResultFileStatus::Implausible;
files-cli-refuses @@ if (const std::optional<int> bad = ImplausibleValue(loaded->results)) { @@ if (const std::optional<int> bad = std::optional<int>()) {
files-json-refuses @@ if (!PlausibleOnPage(sheet, sheet.rows[i])) @@ if (false)
files-json-null @@ if (std::isnan(row.value)) return sheet.kind == kCacheResultFile.name; @@ if (std::isnan(row.value)) return true;
files-json-rating @@ return row.listRow == CpuResultRow(CpuResults::kDhrystone) ? ResultQuantity::Rating @@ return row.listRow == CpuResultRow(CpuResults::kDhrystone) ? ResultQuantity::KernelMs
files-json-fpu-total @@ if (sheet.kind == kFpuResultFile.name) return row.listRow == kFpuTotalRow ? ResultQuantity::Seconds : ResultQuantity::Rate; @@ if (sheet.kind == kFpuResultFile.name) return ResultQuantity::Rate;
refuse-bandwidth-missing-block @@ for (size_t m = 0; had && m < kMethods.size(); ++m) @@ for (size_t m = 0; m < kMethods.size(); ++m)
refuse-memory-figure-missing @@ return figure.runs.empty() ? std::nullopt : std::optional<double>(figure.gbPerSec); @@ return std::optional<double>(figure.gbPerSec);
refuse-thread-start-caught @@ } catch (const std::system_error&) { @@ } catch (const std::bad_alloc&) {
refuse-bandwidth-threads @@ if (!threads.AllStarted()) return failure = threads.NotStartedText(), report; @@ if (false) return failure = threads.NotStartedText(), report;
refuse-suite-threads @@ if (!suite.notStarted.empty()) return FailCommand("bench", suite.notStarted); @@ if (false) return FailCommand("bench", suite.notStarted);
refuse-worker-failure-shown @@ for (BenchFailure& failure : failures) ReportBenchFailure(onFailure, std::exchange(failure, BenchFailure::None)); @@ for (BenchFailure& failure : failures) failure = BenchFailure::None;
refuse-kernel-failure-shown @@ if (failure) ReportBenchFailure(callbacks.onFailure, std::exchange(*failure, BenchFailure::None)); @@ if (failure) *failure = BenchFailure::None;
refuse-precise-block-rate @@ const bool measured = failure == BenchFailure::None; @@ const bool measured = true;
refuse-precise-block-record @@ if (run.complete) record = Bytes(EncodeCacheRecord(summary, run.best)); @@ record = Bytes(EncodeCacheRecord(summary, run.best));
cli-precise-incomplete @@ if (!measured) run.complete = false; @@ if (!measured) (void)run;
cli-sigpipe @@ std::signal(SIGPIPE, SIG_IGN); @@ std::signal(SIGPIPE, SIG_DFL);
cli-lost-once @@ if (std::fflush(out) != 0 && firstError == 0) firstError = errno; @@ if (std::fflush(out) != 0) std::fputs("vext-cli: cannot write to standard output\n", stderr);
cli-lost-reason @@ return ::poll(&out, 1, 0) == 1 && (out.revents & POLLERR) ? EPIPE : 0; @@ return 0;
cli-report-reason @@ (written.error ? std::string(": ") + std::strerror(written.error) : std::string())); @@ (errno ? std::string(": ") + std::strerror(errno) : std::string()));
cli-save-reason @@ case ResultFileStatus::CannotCreate: return Fail("cannot create '" + path + "'" + Reason(error)); @@ case ResultFileStatus::CannotCreate: return Fail("cannot create '" + path + "'" + Reason(errno));
files-temp-name @@ const std::string start = target.substr(0, platform::Utf8CutPoint(target, kNameKept)); @@ const std::string start = target;
files-umask-window @@ CFileDescriptor fd(folder.ok() ? CreateBeside(folder.get(), NameOf(target), temp) : -1); @@ CFileDescriptor fd((::umask(::umask(0)), folder.ok() ? CreateBeside(folder.get(), NameOf(target), temp) : -1));
files-set-id @@ if (::fchmod(fd.get(), existing.st_mode & 0777) != 0) error = errno; @@ if (::fchmod(fd.get(), existing.st_mode & 07777) != 0) error = errno;
files-directory-reason @@ if (S_ISDIR(target.existing.st_mode)) return {FileWriteStatus::CannotCreate, EISDIR}; @@ if (S_ISDIR(target.existing.st_mode)) return {FileWriteStatus::CannotCreate, errno};
platform-status-reason @@ if (::fstat(fd, &st) != 0) { @@ if (false) {
platform-fifo-kind @@ if (S_ISFIFO(mode)) return "a named pipe (FIFO), not a regular file"; @@ if (false) return "";
limits-cgroup-ignored @@ return std::min(available, machine.cgroupLimits().memoryLeft.value_or(available)); @@ return available;
limits-closing-block @@ const uint64_t largest = std::min(plan.sizes[*row], precise::BlockCap(freeMemory, std::max(allThreads, rowThreads))); @@ const uint64_t largest = plan.sizes[*row];
limits-cap-threads @@ return std::min(kMaxBlockBytes, freeMemoryBytes / 4 / std::max<uint64_t>(threads, 1)); @@ return std::min(kMaxBlockBytes, freeMemoryBytes / 4);
limits-latency-table @@ const uint64_t cap = precise::BlockCap(platform::FreeMemoryBytes(machine) / (line + 4) * line, 1); @@ const uint64_t cap = precise::BlockCap(platform::FreeMemoryBytes(machine), 1);
limits-ancestors @@ if (path.empty()) return folders; @@ return folders;
limits-inactive-file @@ used -= std::min(used, stat ? InactiveFileBytes(*stat) : 0); @@ used -= 0;
limits-mount-root @@ relative.remove_prefix(root.size()); @@ (void)root;
limits-quota-threads @@ if (quota && *quota < static_cast<double>(threads)) return quota; @@ if (quota && *quota < 1.0) return quota;
limits-bandwidth-quota @@ NoteCpuQuota(machine, "bench bandwidth", allCpus.size()); @@ NoteCpuQuota(machine, "bench bandwidth", report.cpus.size());
limits-thread-fit @@ while (fit > 1 && precise::BlockCap(freeMemoryBytes, fit + 1) < kThreadedBytesPerThread) --fit; @@ while (fit > 1 && precise::BlockCap(freeMemoryBytes, fit) < kThreadedBytesPerThread) --fit;
limits-v1-no-limit @@ return bytes && *bytes < kNoLimit ? bytes : std::nullopt; @@ return bytes;
results-memory-figure-label @@ rows.push_back(Row(std::string("memory ") + method + ", " + threads, value, "GB/s", false)); @@ rows.push_back(Row(std::string("memory ") + method + threads, value, "GB/s", false));
results-processor-stepping @@ {"stepping", OrNull(p.stepping)}, @@ {"stepping", OrNull(p.model)},
results-run-label @@ if (label) run["label"] = platform::Utf8OrLatin1(*label); @@ if (label && label->empty()) run["label"] = platform::Utf8OrLatin1(*label);
results-sheet-off-list @@ for (const ResultRow& row : sheet.rows) std::printf("%s%s\n", PadColumns(RowLabel(sheet, row), 40).c_str(), TerminalText(row.text).c_str()); @@ for (const ResultRow& row : sheet.rows) std::printf("%s%s\n", PadColumns(RowLabel(sheet, row), 30).c_str(), TerminalText(row.text).c_str());
tidy-trailing-blanks @@ std::string TrimTrailingBlanks(std::string_view text) { return std::string(text.substr(0, text.find_last_not_of(' ') + 1)); } @@ std::string TrimTrailingBlanks(std::string_view text) { return std::string(text.substr(0, text.find_last_not_of(' ') + 2)); }
tidy-white-space @@ std::string_view TrimWhiteSpace(std::string_view text) { return Trim(text, " \t\n\v\f\r"); } @@ std::string_view TrimWhiteSpace(std::string_view text) { return Trim(text, " \t\v\f\r"); }
tidy-number-list @@ for (int n : numbers) list += (list.empty() ? "" : ", ") + std::to_string(n); @@ for (int n : numbers) list += (list.empty() ? "" : ",") + std::to_string(n);
tidy-whole-file-limit @@ if (bytes.size() > mostBytes) return WholeFileStatus::TooLarge; @@ if (bytes.size() >= mostBytes) return WholeFileStatus::TooLarge;
tidy-thread-digits @@ const bool digits = !value.empty() && value.size() <= 9 && value.find_first_not_of("0123456789") == std::string::npos; @@ const bool digits = !value.empty() && value.size() <= 9 && value.find_first_not_of("+0123456789") == std::string::npos;
tidy-thread-most @@ if (value == "all" || (digits && std::stoi(value) >= 1 && std::stoi(value) <= kMostThreads)) return std::string(); @@ if (value == "all" || (digits && std::stoi(value) >= 1 && std::stoi(value) < kMostThreads)) return std::string();
tidy-check-keep @@ if (replaces && ifExists == ExistingFile::Keep && !WrittenInPlace(path)) return {FileWriteStatus::TargetExists, EEXIST, true}; @@ if (false) return {FileWriteStatus::TargetExists, EEXIST, true};
tidy-check-folder @@ return {FileWriteStatus::CannotCreate, error, replaces}; @@ return {FileWriteStatus::Ok, 0, replaces};
tidy-check-replace-words @@ error = (check.replaces ? "cannot replace '" : "cannot save to '") + path + "'" + Reason(check.error); @@ error = "cannot save to '" + path + "'" + Reason(check.error);
tidy-amd-itlb @@ L1TlbTexts(machine, maxExtendedLeaf, 0, pages4Mb, pages4Kb); @@ L1TlbTexts(machine, maxExtendedLeaf, 16, pages4Mb, pages4Kb);
tidy-fpu-rating-row @@ constexpr std::size_t kFpuSheetMwipsRow = bench::WhetstoneResults::kSections; @@ constexpr std::size_t kFpuSheetMwipsRow = bench::WhetstoneResults::kSections - 1;
tidy-row-printing @@ inline RowPrinting RowPrintingFor(bool json) { return json ? RowPrinting::AtTheEnd : RowPrinting::AsMeasured; } @@ inline RowPrinting RowPrintingFor(bool) { return RowPrinting::AsMeasured; }
tidy-json-last-row @@ for (int at = next; at < static_cast<int>(sheet.listRows.size()); ++at) @@ for (int at = next; at + 1 < static_cast<int>(sheet.listRows.size()); ++at)
tidy-bench-list-rows @@ for (size_t row = 0; row < rows.size(); ++row) list->InsertItem(static_cast<long>(row), wxString::FromUTF8(rows[row])); @@ for (size_t row = 0; row + 1 < rows.size(); ++row) list->InsertItem(static_cast<long>(row), wxString::FromUTF8(rows[row]));
tidy-proc-box @@ case BoxedFact::L1DataSize: return res::IDC_PROC_L1_DATA_SIZE; @@ case BoxedFact::L1DataSize: return res::IDC_PROC_L2_SIZE;
voice-failure-none-silent @@ if (failure != BenchFailure::None && onFailure) onFailure(failure); @@ if (onFailure) onFailure(failure);
voice-fpu-failure-handed @@ ReportBenchFailure(callbacks.onFailure, whetstone->Failure()); @@ (void)whetstone->Failure();
voice-cache-failure-handed @@ ReportBenchFailure(callbacks.onFailure, timing.failure); @@ (void)timing.failure;
voice-lone-fpu-failure-handed @@ ReportBenchFailure(onFailure, loneFailure); @@ (void)loneFailure;
voice-precise-dhrystone-once @@ if (dhrystoneFailure == BenchFailure::None && measure.lastDhrystoneFailure) @@ if (measure.lastDhrystoneFailure && measure.lastDhrystoneFailure() != BenchFailure::None) ReportBenchFailure(callbacks.onFailure, measure.lastDhrystoneFailure()); if (false)
voice-precise-dhrystone-told @@ ReportBenchFailure(callbacks.onFailure, dhrystoneFailure); @@ (void)dhrystoneFailure;
voice-cli-failure-printed @@ std::fprintf(stderr, "%s\n", results::TerminalText(BenchFailureMessage(failure)).c_str()); @@ (void)0;
voice-load-keeps-refused @@ if (load.status != ResultFileStatus::Ok) load.loaded.reset(); @@ (void)0;
voice-page-load-message @@ if (loaded.status != files::ResultFileStatus::Ok) prompt.ShowMessage(ResultFileMessage(loaded.status), widgets::MessageIcon::Stop); @@ (void)0;
voice-page-save-message @@ prompt.ShowMessage(ResultFileMessage(status), MessageIcon::Stop); @@ (void)0;
voice-page-report-message @@ if (path && CProcessorReport(Context().machine).SaveReport(*path).status != FileWriteStatus::Ok) @@ if (path && (CProcessorReport(Context().machine).SaveReport(*path), false))
voice-page-failure-icon @@ return [&prompt = Prompt()](BenchFailure failure) { prompt.ShowMessage(BenchFailureMessage(failure), MessageIcon::None); }; @@ return [&prompt = Prompt()](BenchFailure failure) { prompt.ShowMessage(BenchFailureMessage(failure), MessageIcon::Stop); };
voice-cli-report-status @@ if (written.status == FileWriteStatus::Ok) return 0; @@ return 0;
voice-sheet-asks-prompt @@ if (unsaved && !prompt_.AskYesNo(kUnsavedRunQuestion)) return; @@ if (unsaved && false) return;
ctx-cpu-recorded-clock @@ return processor.machine.recordedClockMhz ? *processor.machine.recordedClockMhz : processor.MeasureMHz(); @@ return processor.MeasureMHz();
ctx-cpu-dump-machine @@ return cpu::WithRecordedCpuid(machine, platform::LoadCpuidDump(*dumpPath)); @@ return (platform::LoadCpuidDump(*dumpPath), machine);
ctx-cpu-cli-mhz @@ if (options.mhz) machine->recordedClockMhz = *options.mhz; @@ (void)0;
ctx-cpu-serialised-tsc @@ (void)machine.Cpuid(0); @@ (void)0;
ctx-cpu-report-date @@ file.Write(FormatReportDate(machine.calendarTime())); @@ file.Write(FormatReportDate(std::time(nullptr)));
ctx-bench-thread-own-kernels @@ kernels.push_back(context.suites.threadCpuKernels(context.machine, static_cast<int>(t), failures[t])); @@ kernels.push_back(context.suites.threadCpuKernels(context.machine, 0, failures[t]));
ctx-bench-thread-passes @@ const WhetstoneRun each = context.suites.threadWhetstone(context.machine, thread, run.passes); @@ const WhetstoneRun each = context.suites.threadWhetstone(context.machine, thread, std::nullopt);
ctx-bench-pin-own-cpu @@ if (!machine_.pinThread(cpus_[static_cast<size_t>(index)])) ++unpinned_; @@ if (!machine_.pinThread(cpus_[0])) ++unpinned_;
ctx-bench-pin-refusal-counted @@ if (!machine_.pinThread(cpus_[static_cast<size_t>(index)])) ++unpinned_; @@ machine_.pinThread(cpus_[static_cast<size_t>(index)]);
ctx-bench-latency-own-thread @@ void CPinnedThreads::RunOrHere(const std::function<void(int)>& job) { Count() > 0 ? Run(job) : job(0); } @@ void CPinnedThreads::RunOrHere(const std::function<void(int)>& job) { job(0); }
ctx-bench-thread-count-bound @@ if (*count < 1 || static_cast<size_t>(*count) > order.size()) return {}; @@ if (*count < 1 || static_cast<size_t>(*count) >= order.size()) return {};
ctx-bench-bandwidth-every-block @@ const bool had = std::all_of(blocks.begin(), blocks.end(), [](const auto& b) { return bool(b); }); @@ const bool had = std::any_of(blocks.begin(), blocks.end(), [](const auto& b) { return bool(b); });
ctx-bench-avx-leaf7 @@ if ((xcr0 & kSseAvx) != kSseAvx || machine.Cpuid(0).eax < 7) return VectorWidth::Sse2; @@ if ((xcr0 & kSseAvx) != kSseAvx) return VectorWidth::Sse2;
ctx-bench-identity-clock @@ {"utc", Iso8601Utc(machine.calendarTime())}, @@ {"utc", Iso8601Utc(std::time_t{0})},
globals-busy-drain-dropping @@ for (int round = 0; round < 5; ++round) { @@ filter_->windows.clear(); for (int round = 0; round < 5; ++round) {
globals-cursor-wait-in-run @@ cursor_.Set(RunCursor::Wait); @@ cursor_.Set(RunCursor::Normal);
globals-cursor-cross-after @@ cursor_.Set(RunCursor::Cross); @@ cursor_.Set(RunCursor::Normal);
globals-cursor-motion @@ if (event.GetEventType() == wxEVT_MOTION && owner_.Current() == RunCursor::Cross) owner_.Release(); @@ if (event.GetEventType() == wxEVT_LEFT_DOWN && owner_.Current() == RunCursor::Cross) owner_.Release();
globals-cursor-watch-again @@ watching_ = false;  // added again at the next cross cursor @@ (void)0;
globals-output-reset @@ void ResetOutput() { firstError = 0; } @@ void ResetOutput() {}
globals-output-first-reason @@ if (firstError) return firstError; @@ if (false) return firstError;
# rough edges of the design's pages
rough-focus-back @@ if (focus_) focus_->SetFocus(); @@ (void)0;
rough-clear-your-column @@ ClearBenchColumn(List(), kYourSystemColumn); @@ (void)0;
rough-dialog-title @@ const wxString title = request.title.empty() ? wxString(wxFileSelectorPromptStr) : wxString::FromUTF8(request.title); @@ const wxString title = wxFileSelectorPromptStr;
rough-one-replace-question @@ if (askReplace && !MayReplace(chosen)) return std::nullopt; @@ if (askReplace && chosen != asked && !MayReplace(chosen)) return std::nullopt;
rough-ellipsis @@ text_ = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, alignment | wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END); @@ text_ = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, alignment | wxST_NO_AUTORESIZE);
rough-cut-tooltip @@ const bool cut = text_->GetTextExtent(text).x > text_->GetClientSize().x; @@ const bool cut = !text.empty();
clock-chain-additions @@ ".rept 64\n\t" @@ ".rept 63\n\t"
clock-min-ms @@ const uint32_t rounds = precise::CacheRepetitions(kMinMs, timeChain); @@ const uint32_t rounds = precise::CacheRepetitions(kMinMs / 10, timeChain);
clock-slowest-run @@ if (ms > 0 && (fastestMs == 0 || ms < fastestMs)) fastestMs = ms; @@ if (ms > 0 && (fastestMs == 0 || ms > fastestMs)) fastestMs = ms;
clock-tsc-ticks-per-ms @@ return end > start ? static_cast<double>(end - start) / (tscMHz * 1000.0) : 0.0; @@ return end > start ? static_cast<double>(end - start) / (tscMHz * 1024.0) : 0.0;
clock-no-tsc-rate @@ if (!(tscMHz > 0)) return std::nullopt; @@ if (!(tscMHz >= 0)) return std::nullopt;
clock-cycles-of-tsc @@ double CycleClockMHz(const LatencyReport& report) { return report.runningClockMHz.value_or(report.clockMHz); } @@ double CycleClockMHz(const LatencyReport& report) { return report.clockMHz; }
clock-cycle-name @@ const char* CycleName(const LatencyReport& report) { return report.runningClockMHz ? "core cycles" : "cycles"; } @@ const char* CycleName(const LatencyReport&) { return "cycles"; }
clock-json-key-for-dumps @@ if (today.measuredMHz) object["running_clock_mhz"] = today.runningMHz ? nlohmann::json(std::lround(*today.runningMHz)) : nlohmann::json(nullptr); @@ object["running_clock_mhz"] = today.runningMHz ? nlohmann::json(std::lround(*today.runningMHz)) : nlohmann::json(nullptr);
chart-label-style-per-value @@     if (fullScale >= 10000.0 && value != 0.0) return platform::TextFormat("%.0fk", value / 1000.0); @@     if (value >= 10000.0) return platform::TextFormat("%.0fk", value / 1000.0);
chart-label-fixed-column @@ inline int ScaleLabelX(const Panel& p, int width) { return p.left - 4 - width; } @@ inline int ScaleLabelX(const Panel& p, int) { return p.left - 25; }
chart-no-rate-caption @@     dc.DrawText(rate, p.left - dc.GetTextExtent(rate).x / 2, 76); @@     (void)rate;
chart-no-block-caption @@     dc.DrawText(block, p.left + (kWidth - dc.GetTextExtent(block).x) / 2, 332); @@     (void)block;
plot-top-unrounded @@     s.top = s.steps * s.step; @@     s.top = largest;
plot-suffix-threshold @@ for (int i = 0; i < 6 && s.top >= 1e4 * std::pow(1e3, i); ++i) @@ for (int i = 0; i < 6 && s.top >= 1e3 * std::pow(1e3, i); ++i)
plot-zero-label @@     if (value == 0) return "0"; @@     if (value == 0 && false) return "0";
plot-log2-low @@ s.low = std::clamp(static_cast<int>(std::floor(std::log2(smallest))), 0, 61); @@ s.low = std::clamp(static_cast<int>(std::ceil(std::log2(smallest))), 0, 61);
plot-block-mb-whole @@ if (bytes >= kMb && std::fmod(bytes, kMb) == 0) @@ if (bytes >= kMb)
plot-label-every @@ while (every < powers && static_cast<double>(width) * every / powers < labelWidth) every *= 2; @@ while (every < powers && static_cast<double>(width) * every / powers < labelWidth) every += 1;
plot-table-decimals @@     return smallest >= 10 ? 1 : 2; @@     return smallest >= 10 ? 1 : 1;
plot-clamp-y @@         const double f = std::clamp(value / y.top, 0.0, 1.0); @@         const double f = value / y.top;
plot-loaded-colour @@     for (bool l : loaded) styles.push_back({l, counts[l]++}); @@     for (bool l : loaded) styles.push_back({false, counts[l]++});
plot-legend-labels @@         texts.push_back(label); @@         (void)label;
plot-y-caption @@     g.layout.texts.push_back(Text(dc, axes.yCaption, s.margin, s.margin)); @@     (void)axes.yCaption;
plot-no-results @@     PlotText t = Text(dc, kNoResults, 0, 0); @@     PlotText t = Text(dc, "", 0, 0);
plot-y-labels-clear @@ label.box.SetPosition(wxPoint(g.layout.frame.x - s.tick - s.gap - label.box.width, row - label.box.height / 2)); @@ label.box.SetPosition(wxPoint(g.layout.frame.x - label.box.width / 2, row - label.box.height / 2));
plot-marker-left-of-line @@         if (label.box.GetRight() > frame.GetRight() - s.gap) label.box.x = col - s.gap - label.box.width; @@         (void)frame;
plot-marker-in-range @@         if (!std::isfinite(markers[i].x) || !g.InRange(markers[i].x)) continue; @@         if (!std::isfinite(markers[i].x)) continue;
plot-marker-rows @@         while (row < rowEnds.size() && rowEnds[row] + s.gap > label.box.x) ++row; @@         while (false && row < rowEnds.size()) ++row;
plot-bar-nan @@             if (!std::isfinite(v) || v <= 0) continue; @@             if (v <= 0) continue;
plot-bar-group-place @@ const double groupLeft = frame.x + slot * static_cast<double>(k) + (slot - inner) / 2; @@ const double groupLeft = frame.x + (slot - inner) / 2;
plot-dark-accent @@     hsv.value = light ? 0.72 : 1.0; @@     hsv.value = 0.72;
plot-bar-paler @@     static const double kPaler[] = {0.0, 0.35, 0.55, 0.7}; @@     static const double kPaler[] = {0.0, 0.0, 0.0, 0.0};
plot-table-x-order @@     std::sort(xs.begin(), xs.end()); @@     (void)xs;
plot-table-missing @@             rows.back().push_back(at == ps.points.end() ? "-" : TableValue(at->y, decimals)); @@             rows.back().push_back(at == ps.points.end() ? "" : TableValue(at->y, decimals));
plot-table-nan @@     return std::isfinite(value) ? platform::FormatDecimals(value, decimals) : "-"; @@     return platform::FormatDecimals(value, decimals);
plot-table-bar-rows @@             rows.back().push_back(i < group.values.size() ? TableValue(group.values[i], decimals) : "-"); @@             rows.back().push_back(i < group.values.size() ? TableValue(group.values[i], decimals) : "");
plot-live-readable @@     if (std::fabs(Luma(highlight) - Luma(background)) < 90) { @@     if (false) {
plot-no-focus-stop @@     m_container.DisableSelfFocus();  // no stop for the keyboard @@     // no stop for the keyboard
today-smt-level @@ if (type == kSmtLevel) smt = r->ebx & 0xFFFF; @@ if (type == kSmtLevel + 1) smt = r->ebx & 0xFFFF;
today-amd-threads @@ threads = ext && (ext->ecx & kTopologyExtensionsBit) && ids ? ((ids->ebx >> 8) & 0xFF) + 1 : 1; @@ threads = ext && (ext->ecx & kTopologyExtensionsBit) && ids ? ((ids->ebx >> 8) & 0xFF) : 1;
today-no-htt @@ logical = one->edx & kHttBit ? std::max<uint32_t>((one->ebx >> 16) & 0xFF, 1) : 1; @@ logical = one->edx & kHttBit ? std::max<uint32_t>((one->ebx >> 16) & 0xFF, 1) : 2;
today-hybrid-cores @@ if (!t.hybrid && logical % threads == 0) t.coresPerPackage = logical / threads; @@ if (logical % threads == 0) t.coresPerPackage = logical / threads;
today-sweep-unpinned @@ if (!machine.pinThread(cpu.id)) continue; @@ if (!machine.pinThread(0)) continue;
today-sweep-count @@ *known->count += 1; @@ *known->count = 1;
today-recorded-machine @@ if (!machine.cpuidRecorded) { @@ if (true) {
today-per-package-floor @@ m.cacheCounts.push_back({static_cast<int>((*t.logicalPerPackage + *c.sharedBy - 1) / *c.sharedBy), true}); @@ m.cacheCounts.push_back({static_cast<int>((*t.logicalPerPackage + *c.sharedBy) / *c.sharedBy), true});
today-cpu-list-range @@ for (int n = first; n <= last; ++n) each(n); @@ for (int n = first; n < last; ++n) each(n);
today-cache-sharers @@ sharers[{n, type}].insert(FirstLine(dir + "/shared_cpu_list")); @@ sharers[{n, type}].insert(type);
today-flag-order @@ [](const DescribedFeature& a, const DescribedFeature& b) { return a.group < b.group; }); @@ [](const DescribedFeature&, const DescribedFeature&) { return false; });
today-unknown-flag @@ if (found == std::end(kFeatures) || found->name != name) return {}; @@ if (found == std::end(kFeatures)) return {};
today-list-clocks @@ if (today.measuredMHz || unmeasuredClocks) { @@ if (today.measuredMHz) {
today-page-filter @@ wxString::FromUTF8(std::string(feature.description)).Lower().Contains(lower); @@ false;
today-page-run @@ const std::string text = JsonText(ProcessorTodayJson(*today_, run_)) + "\n"; @@ const std::string text = JsonText(ProcessorTodayJson(*today_, nlohmann::json())) + "\n";
today-page-copy @@ wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(platform::Utf8OrLatin1(ProcessorListText(*today_))))); @@ wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(platform::Utf8OrLatin1(ProcessorListText(*today_).substr(1)))));
memory-page-latency-stop @@         if (callbacks.stop && callbacks.stop()) break; @@         if (callbacks.stop && callbacks.stop() && k > 0) break;
memory-page-bandwidth-method-stop @@             if (stopped()) return rows; @@             (void)0;
memory-page-cpu-stop-before-all @@         if (stopped()) return run;  // between the lone run and the run on all threads @@         // no check here
memory-page-fpu-stop-after-lone @@     if (stop && stop()) return run.stopped = true, run;  // the lone run was the last @@     // no check here
memory-page-clock-stop @@     } while (Since(r.t1, r.t2) <= 1000 && !(stop && stop())); @@     } while (Since(r.t1, r.t2) <= 1000);
memory-page-cores-steps @@ int CoresSteps(std::size_t counts) { return static_cast<int>(counts) * (kCpuMeasurements + 2); } @@ int CoresSteps(std::size_t counts) { return static_cast<int>(counts) * (kCpuMeasurements + 1); }
memory-page-cores-counts @@     for (std::size_t n = 1; n < all; n *= 2) counts.push_back(n); @@     for (std::size_t n = 1; n <= all; n *= 2) counts.push_back(n);
memory-page-curve-unmeasured @@         if (!std::isnan(point.y)) curve.points.push_back(point); @@         curve.points.push_back(point);
memory-page-curve-negative @@     return std::isfinite(figure) && figure >= 0; @@     return std::isfinite(figure);
memory-page-cancel-keeps-nothing @@     if (cancelled) return status_->SetLabel("Cancelled: nothing was measured."); @@     if (cancelled && result.is_null() && false) return;
memory-page-saved-not-unsaved @@     unsaved_ = false;  // saved: closing no longer asks @@     // not marked saved
memory-page-design-runs-wait @@         for (wxWindow* button : heldButtons_) button->Enable(); @@         for (wxWindow* button : heldButtons_) (void)button;
memory-page-loaded-flag @@                     series.push_back({run == loaded ? loadedLabel_ + ": " + curve.label : curve.label, Points(curve), run == loaded}); @@                     series.push_back({run == loaded ? loadedLabel_ + ": " + curve.label : curve.label, Points(curve), false});
fleet-cli-failed-run-writes @@ if (status != 0) return Fail("the run did not succeed: nothing was written to '" + *path_ + "'"), status; @@ if (false) return status;
fleet-cli-output-extension @@ if (ResultFileExtension(*path_) != extension) { @@ if (false) {
fleet-cli-output-overwrite @@ const FileWriteCheck check = CheckFileWritable(*path_, overwrite_ ? ExistingFile::Replace : ExistingFile::Keep); @@ const FileWriteCheck check = CheckFileWritable(*path_, ExistingFile::Replace);
fleet-cli-json-routing @@ return options.output && options.json && !WrittenInPlace(*options.output) && @@ return false && options.json && !WrittenInPlace(*options.output) &&
fleet-cli-threaded-keep @@ result.Keep(std::move(json), identity); @@ (void)json;
fleet-cli-skip-status @@     return kFilesSkipped; @@     return flagged ? kOutliersFlagged : kNothingFlagged;
fleet-cli-outlier-status @@ if (skipped.empty()) return flagged ? kOutliersFlagged : kNothingFlagged; @@ if (skipped.empty()) return kNothingFlagged;
fleet-cli-group-key @@ [&](const SummaryGroup& g) { return g.key == sheets[f].group; }); @@ [&](const SummaryGroup&) { return true; });
fleet-cli-common-kind @@ if (count > most) most = count, common = file.Kind(); @@ if (count > 0) most = count, common = file.Kind();
fleet-cli-csv-quote @@ if (shown.find_first_of(",\"\r\n") == std::string::npos) return shown; @@ return shown;
fleet-cli-csv-doubling @@ for (char c : shown) quoted += c == '"' ? std::string("\"\"") : std::string(1, c); @@ for (char c : shown) quoted += c;
fleet-cli-csv-file-column @@ fields[5 + groups[g].files[f]] = Number(*value); @@ fields[5 + f] = Number(*value);
fleet-cli-metrics-mb @@ {"Mb/sec", "bytes_per_second", nullptr, 1048576.0, @@ {"Mb/sec", "bytes_per_second", nullptr, 1e6,
fleet-cli-label-backslash @@ if (c == '\\' || c == '"') out += {'\\', static_cast<char>(c)}; @@ if (c == '"') out += {'\\', static_cast<char>(c)};
fleet-cli-block-bytes @@ std::to_string(kb.get<int64_t>() * 1024) @@ std::to_string(kb.get<int64_t>())
fleet-cli-inventory-differing @@ if (nodes.size() < records.size()) inventory.differing.push_back @@ if (nodes.size() <= records.size()) inventory.differing.push_back
fleet-cli-empty-json @@ if (bytes->empty()) return error = "'" + TerminalText(path) + "' is empty", std::nullopt; @@ (void)0;
fleet-cli-run-kind-label @@ AddRun(out, Member(result, "run"), kind.empty() ? "processor" : kind); @@ AddRun(out, Member(result, "run"), "");
fleet-cli-group-known @@ if (!run.is_object() || (!run.contains("processor") && !run.contains("vext_version"))) return key; @@ if (!run.is_object()) return key;
fleet-cli-scaling-named @@ const Labels scaling = {{suite == "cpu" ? "kernel" : "section", Text(Member(row, "label"))}, {"threads", threads}}; @@ const Labels scaling = {{"threads", threads}};
a11y-procinfo-unnamed @@     NameListForReaders(list, "Processor Details"); @@     (void)list;
a11y-bench-unnamed @@     NameListForReaders(list, title); @@     (void)title;
a11y-cell-without-heading @@             cells += heading.empty() ? cell : heading + " " + cell; @@             cells += cell;
a11y-empty-cells-read @@             if (cell.empty()) continue; @@             (void)0;
a11y-label-colon-doubled @@         if (!cells.empty()) line += (line.EndsWith(":") ? " " : ": ") + cells; @@         if (!cells.empty()) line += ": " + cells;
a11y-list-description-stale @@     SetReaderText(list, ReaderName(list), rows); @@     (void)rows;
a11y-cells-silent @@     for (const ResultCell& cell : cells) list->SetItem(cell.row, column, wxString::FromUTF8(cell.text)); @@     for (const ResultCell& cell : cells) list->SetItem(cell.row, column, wxString::FromUTF8(cell.text)); return;
a11y-cleared-silent @@     ListRowsChanged(list);  // a reader finds the column empty too @@     (void)list;
a11y-about-unnamed @@     widgets::SetReaderText(this, kAboutTitle, wxString(kAboutVersion) + "\n" + kAboutAuthor + "\n" + AboutBuildLine()); @@     (void)0;
chart-grown-not-magnified @@     if (scale <= 1.0) return DrawCacheChart(dc, clientSize, data); @@     return DrawCacheChart(dc, clientSize, data);
chart-grown-frame-overflows @@     DrawCacheChart(dc, wxSize(int(clientSize.x / scale), int(clientSize.y / scale)), data); @@     DrawCacheChart(dc, clientSize, data);
chart-window-fixed @@     Create(nullptr, wxID_ANY, wxString::FromUTF8(t.caption), wxDefaultPosition, wxDefaultSize, wxCAPTION | wxRESIZE_BORDER); @@     Create(nullptr, wxID_ANY, wxString::FromUTF8(t.caption), wxDefaultPosition, wxDefaultSize, wxCAPTION);
chart-window-no-minimum @@     SetMinClientSize(designSize_); @@     (void)0;
chart-ok-left-behind @@     if (wxWindow* ok = FindWindow(res::IDC_CHART_OK)) ok->Move(okPosition_ + wxPoint(std::max(0, grown.x) / 2, std::max(0, grown.y))); @@     (void)grown;
chart-reader-silent @@     SetReaderText(this, GetTitle(), wxString::FromUTF8(CacheChartReaderText(data_))); @@     (void)0;
chart-reader-loaded-left-out @@     if (!data.loadedLegend.empty()) text += '\n', system(data.loadedLegend, data.loadedResults); @@     (void)data.loadedResults;
chart-reader-panel-rates @@                 text += platform::TextFormat(" %d Kb ", 2 << k) + FormatCacheRate(results.rates[static_cast<size_t>(p.firstResult + k)]) + @@                 text += platform::TextFormat(" %d Kb ", 2 << k) + FormatCacheRate(results.rates[static_cast<size_t>(k)]) +
today-core-type-clock-cpu @@ CPinnedThreads thread(machine, cpu ? std::vector<int>{*cpu} : ThreadCpus(machine, 1)); @@ CPinnedThreads thread(machine, ThreadCpus(machine, 1));
today-core-type-first-cpu @@ known = types.insert(types.end(), {*type, 0, DecodeCaches(CModernLeaves(machine), processor.family, processor.model), cpu.id}); @@ known = types.insert(types.end(), {*type, 0, DecodeCaches(CModernLeaves(machine), processor.family, processor.model), std::nullopt});
plot-reader-series @@     TellReaders(this, axes_, SeriesLabels(series_)); @@     TellReaders(this, axes_, {});
plot-reader-bars @@     TellReaders(this, axes_, groups_.empty() ? std::vector<std::string>() : names_); @@     TellReaders(this, axes_, {});
plot-reader-table @@     NameTableForReaders(this, wxString::FromUTF8("Values: " + chart.Axes().yCaption)); @@     (void)chart;
mem-chart-bytes @@ constexpr double kBytesPerKb = 1024; @@ constexpr double kBytesPerKb = 1;
cores-whetstone-stop @@         if (stop && stop()) throw Stopped{}; @@         if (false) throw Stopped{};
cores-whetstone-target @@             whetstone->RunWhetstone(targetSeconds); @@             whetstone->RunWhetstone();
whetstone-target-seconds @@     double target = static_cast<double>(static_cast<int64_t>(targetSeconds) * passes) / summed; @@     double target = static_cast<double>(static_cast<int64_t>(kTargetSeconds) * passes) / summed;
cores-stop-after-fpu @@         if (fpu.stopped || stop()) return report.stopped = true, report; @@         if (fpu.stopped) return report.stopped = true, report;
LIST
)

mkdir -p "$scratch"
src="$scratch/src"
# The tree to test: the working tree, or with VEXT_MUTANTS_REF a commit. Only files that differ from the
# last run's copy are replaced, so what did not change does not recompile.
rm -rf "$scratch/incoming" && mkdir -p "$scratch/incoming" "$src"
if [ -n "${VEXT_MUTANTS_REF:-}" ]; then
    git -C "$here" archive "$VEXT_MUTANTS_REF" | tar -C "$scratch/incoming" -xf - || exit 1
else
    tar -C "$here" --exclude=./build --exclude=./.git -cf - . | tar -C "$scratch/incoming" -xf -
fi
python3 - "$scratch/incoming" "$src" <<'SYNC'
import filecmp, os, shutil, sys
incoming, src = sys.argv[1:]
for root, dirs, files in os.walk(src, topdown=False):
    for name in files:
        path = os.path.join(root, name)
        if not os.path.exists(os.path.join(incoming, os.path.relpath(path, src))):
            os.remove(path)
for root, dirs, files in os.walk(incoming):
    os.makedirs(os.path.join(src, os.path.relpath(root, incoming)), exist_ok=True)
    for name in files:
        new = os.path.join(root, name)
        old = os.path.join(src, os.path.relpath(new, incoming))
        if not os.path.exists(old) or not filecmp.cmp(new, old, shallow=False):
            shutil.copy2(new, old)
            os.utime(old)
SYNC
# Files that held a mutant in an earlier run recompile, whatever their times say.
[ -f "$scratch/mutated" ] && (cd "$src" && xargs -r touch -- <"$scratch/mutated")
: >"$scratch/mutated"

# The GUI test binary only sees faults in the wxWidgets code; the rest is in the core, results and cli binaries.
is_gui() { case "$1" in app/cli/*) false ;; res/* | pages/* | widgets/* | app/*) true ;; *) false ;; esac; }

# Configures a build folder (again, so that targets a changed CMakeLists.txt adds are known) and builds;
# later runs reuse it, so only what changed recompiles.
build() {  # folder gui(ON|OFF) targets...
    local dir=$1 gui=$2
    shift 2
    cmake -S "$src" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXT_GUI="$gui" >/dev/null || return 1
    cmake --build "$dir" -j2 --target "$@" >"$dir/last-build.log" 2>&1
}

run_tests() {  # gui(yes|no) -> 0 when every test passes
    if [ "$1" = yes ]; then
        timeout "$limit" xvfb-run -a -s "-screen 0 1280x1024x24" "$scratch/build-gui/vext_gui_tests" \
            --gtest_filter="$slow" >"$scratch/last-test.log" 2>&1
        return
    fi
    timeout "$limit" "$scratch/build/vext_core_tests" --gtest_filter="$slow" >"$scratch/last-test.log" 2>&1 &&
        timeout "$limit" "$scratch/build/vext_results_tests" --gtest_filter="$slow" >>"$scratch/last-test.log" 2>&1 &&
        timeout "$limit" "$scratch/build/vext_cli_tests" --gtest_filter="$slow" >>"$scratch/last-test.log" 2>&1
}

core_targets=(vext_core_tests vext_results_tests vext_cli_tests)
gui_ready=no
prepare_gui() {
    [ "$gui_ready" = yes ] && return 0
    build "$scratch/build-gui" ON vext_gui_tests || return 1
    run_tests yes || { echo "the GUI tests fail before any mutation (see $scratch/last-test.log)"; return 1; }
    gui_ready=yes
}

echo "building the unmutated tree in $scratch"
build "$scratch/build" OFF "${core_targets[@]}" || { echo "the unmutated tree does not build"; exit 1; }
run_tests no || { echo "the tests fail before any mutation (see $scratch/last-test.log)"; exit 1; }

caught=0 missed=0 skipped=0 total=0
while IFS= read -r entry; do
    [ -z "$entry" ] && continue
    name=${entry%% @@ *}
    rest=${entry#* @@ }
    original=${rest%% @@ *}
    replacement=${rest#* @@ }
    [[ $name =~ $only ]] || continue
    total=$((total + 1))
    mapfile -t hits < <(cd "$src" && grep -rlF --include='*.cpp' --include='*.h' -- "$original" "${folders[@]}")
    if [ "${#hits[@]}" -ne 1 ] || [ "$(grep -cF -- "$original" "$src/${hits[0]}")" -ne 1 ]; then
        printf '%-28s not applied (text found in %d files)\n' "$name" "${#hits[@]}"
        skipped=$((skipped + 1))
        continue
    fi
    file=${hits[0]}
    if is_gui "$file" && ! prepare_gui; then
        printf '%-28s not applied (no GUI build)\n' "$name"
        skipped=$((skipped + 1))
        continue
    fi
    cp -p "$src/$file" "$scratch/original"
    echo "$file" >>"$scratch/mutated"
    # The unmutated object is kept, so putting the file back costs no second compile.
    dir="$scratch/build"
    is_gui "$file" && dir="$scratch/build-gui"
    mapfile -t objects < <(find "$dir/CMakeFiles" -path "*/${file}.o" 2>/dev/null)
    rm -rf "$scratch/objects" && mkdir "$scratch/objects"
    for i in "${!objects[@]}"; do cp -p "${objects[$i]}" "$scratch/objects/$i.o"; done
    ORIGINAL=$original REPLACEMENT=$replacement python3 -c '
import os, sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
open(path, "w", encoding="utf-8").write(text.replace(os.environ["ORIGINAL"], os.environ["REPLACEMENT"], 1))
' "$src/$file"
    if is_gui "$file"; then
        if ! build "$scratch/build-gui" ON vext_gui_tests; then
            verdict="no build"
        elif run_tests yes; then
            verdict=missed
        else
            verdict=caught
        fi
    elif ! build "$scratch/build" OFF "${core_targets[@]}"; then
        verdict="no build"
    elif run_tests no; then
        verdict=missed
    else
        verdict=caught
    fi
    # The original comes back with its own time and a newer object; a header without its own object
    # comes back with a new time, so that what includes it recompiles.
    cp -p "$scratch/original" "$src/$file"
    if [ "${#objects[@]}" -gt 0 ]; then
        for i in "${!objects[@]}"; do cp "$scratch/objects/$i.o" "${objects[$i]}" && touch "${objects[$i]}"; done
        sed -i "\|^$file\$|d" "$scratch/mutated"
    else
        touch "$src/$file"
    fi
    case $verdict in
    caught) caught=$((caught + 1)) ;;
    missed) missed=$((missed + 1)) ;;
    *) skipped=$((skipped + 1)) ;;
    esac
    printf '%-28s %-8s %s\n' "$name" "$verdict" "$file"
done <<<"$mutations"

echo "total: $caught caught, $missed missed, $skipped not applied or not built, of $total mutations"
[ "$missed" -eq 0 ]
