#include "toolkit/RegExp.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "toolkit/EcmaDialect.h"
#include "toolkit/TextCodec.h"

static_assert(kUnsetOffset == PCRE2_UNSET);

namespace {

constexpr uint32_t kCompileOptions = PCRE2_UTF | PCRE2_ALT_BSUX | PCRE2_ALLOW_EMPTY_CLASS |
                                     PCRE2_DOLLAR_ENDONLY | PCRE2_MATCH_UNSET_BACKREF;

// Backtracking budget of one search. Ordinary work on a megabyte of text stays far below it;
// exponential backtracking reaches it within about a second instead of hanging the window.
constexpr uint32_t kMatchLimit = 100'000'000;
// Without JIT the interpreter keeps its backtracking frames on the heap: cap them at 256 MB.
constexpr uint32_t kHeapLimitKiB = 256 * 1024;
// The JIT stack grows on demand up to this size; PCRE2's default of 32 KB is too small for
// long subjects.
constexpr std::size_t kJitStackStart = 64 * 1024;
constexpr std::size_t kJitStackMax = 64 * 1024 * 1024;
// Compiled patterns kept per object: the main window alternates between a few patterns.
constexpr std::size_t kRecentPrograms = 8;

std::string EngineMessage(int errorCode)
{
    PCRE2_UCHAR buffer[256];
    if (pcre2_get_error_message(errorCode, buffer, sizeof buffer) < 0)
        return "unknown error " + std::to_string(errorCode);
    return reinterpret_cast<const char*>(buffer);
}

// Offset in characters, as the user counts them in the pattern.
std::size_t CharacterOffset(std::string_view utf8, std::size_t byteOffset)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < byteOffset && i < utf8.size(); ++i)
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80)
            ++count;
    return count;
}

std::size_t NextCharacter(std::string_view utf8, std::size_t at)
{
    ++at;
    while (at < utf8.size() && (static_cast<unsigned char>(utf8[at]) & 0xC0) == 0x80)
        ++at;
    return at;
}

}  // namespace

// One compiled pattern with its match data.
struct TRegExp::Program {
    std::string pattern;
    bool ignoreCase = false;
    pcre2_code* code = nullptr;
    pcre2_match_data* matchData = nullptr;
    int groupCount = 0;

    Program() = default;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program()
    {
        pcre2_match_data_free(matchData);
        pcre2_code_free(code);
    }
};

struct TRegExp::Engine {
    pcre2_match_context* matchContext = nullptr;
    pcre2_jit_stack* jitStack = nullptr;
    std::vector<std::unique_ptr<Program>> recent;  // most recently used first

    Engine()
    {
        matchContext = pcre2_match_context_create(nullptr);
        if (matchContext == nullptr)
            throw TRegExpError("regular expression: out of memory");
        pcre2_set_match_limit(matchContext, kMatchLimit);
        pcre2_set_heap_limit(matchContext, kHeapLimitKiB);
        jitStack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
        if (jitStack != nullptr)
            pcre2_jit_stack_assign(matchContext, nullptr, jitStack);
    }
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;
    ~Engine()
    {
        recent.clear();
        pcre2_jit_stack_free(jitStack);
        pcre2_match_context_free(matchContext);
    }
};

TRegExp::TRegExp() = default;
TRegExp::~TRegExp() = default;
TRegExp::TRegExp(TRegExp&&) noexcept = default;
TRegExp& TRegExp::operator=(TRegExp&&) noexcept = default;

TRegExp::Program& TRegExp::Compiled()
{
    if (!engine_)
        engine_ = std::make_unique<Engine>();
    auto& recent = engine_->recent;
    auto found = std::find_if(recent.begin(), recent.end(), [&](const auto& program) {
        return program->ignoreCase == ignoreCase_ && program->pattern == pattern_;
    });
    if (found != recent.end()) {
        std::rotate(recent.begin(), found, found + 1);
        return *recent.front();
    }

    const std::string utf8Pattern = GbToUtf8(pattern_);
    std::vector<std::size_t> sourceOffsets;
    const std::string translated = EcmaPatternToPcre2(utf8Pattern, sourceOffsets);

    auto program = std::make_unique<Program>();
    program->pattern = pattern_;
    program->ignoreCase = ignoreCase_;
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    program->code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated.data()),
                                  translated.size(),
                                  kCompileOptions | (ignoreCase_ ? PCRE2_CASELESS : 0u),
                                  &errorCode, &errorOffset, nullptr);
    if (program->code == nullptr) {
        const std::size_t sourceByte =
            sourceOffsets[std::min<std::size_t>(errorOffset, sourceOffsets.size() - 1)];
        throw TRegExpError("regular expression error at offset " +
                           std::to_string(CharacterOffset(utf8Pattern, sourceByte)) + ": " +
                           EngineMessage(errorCode));
    }
    // Without JIT (an unsupported machine) the interpreter does the same work, only slower.
    pcre2_jit_compile(program->code, PCRE2_JIT_COMPLETE);
    uint32_t captures = 0;
    pcre2_pattern_info(program->code, PCRE2_INFO_CAPTURECOUNT, &captures);
    program->groupCount = static_cast<int>(captures);
    program->matchData = pcre2_match_data_create_from_pattern(program->code, nullptr);
    if (program->matchData == nullptr)
        throw TRegExpError("regular expression: out of memory");

    if (recent.size() == kRecentPrograms)
        recent.pop_back();
    recent.insert(recent.begin(), std::move(program));
    return *recent.front();
}

// Calls onMatch(ovector, groupCount) for the first match, or with global on for every
// non-overlapping match from left to right. An empty match moves the search on by one
// character, as ECMAScript does.
template <typename OnMatch>
void TRegExp::ForEachMatch(const std::string& utf8Subject, OnMatch onMatch)
{
    Program& program = Compiled();
    const auto* subject = reinterpret_cast<PCRE2_SPTR>(utf8Subject.data());
    const std::size_t length = utf8Subject.size();
    uint32_t options = 0;  // the first search checks the UTF-8 once; later ones skip it
    std::size_t from = 0;
    while (from <= length) {
        const int rc = pcre2_match(program.code, subject, length, from, options,
                                   program.matchData, engine_->matchContext);
        if (rc == PCRE2_ERROR_NOMATCH)
            return;
        if (rc < 0)
            throw TRegExpError("regular expression gave up: " + EngineMessage(rc));
        options = PCRE2_NO_UTF_CHECK;
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(program.matchData);
        onMatch(ovector, program.groupCount);
        if (!global_)
            return;
        from = ovector[1] > ovector[0] ? ovector[1] : NextCharacter(utf8Subject, ovector[1]);
    }
}

TMatchCollection TRegExp::Execute(const std::string& subject)
{
    const std::string utf8Subject = GbToUtf8(subject);
    TMatchCollection matches;
    ForEachMatch(utf8Subject, [&](const PCRE2_SIZE* ovector, int) {
        matches.items_.push_back(
            {Utf8ToGb(utf8Subject.substr(ovector[0], ovector[1] - ovector[0]))});
    });
    return matches;
}

std::string TRegExp::Replace(const std::string& subject, const std::string& replacement)
{
    const std::string utf8Subject = GbToUtf8(subject);
    const std::string utf8Replacement = GbToUtf8(replacement);
    std::string result;
    std::size_t copied = 0;  // end of the subject text already in result
    bool matched = false;
    ForEachMatch(utf8Subject, [&](const PCRE2_SIZE* ovector, int groupCount) {
        matched = true;
        result.append(utf8Subject, copied, ovector[0] - copied);
        AppendEcmaSubstitution(result, utf8Replacement, utf8Subject, ovector, groupCount);
        copied = ovector[1];
    });
    // Untouched text keeps its exact bytes, even bytes the conversion would have replaced.
    if (!matched)
        return subject;
    result.append(utf8Subject, copied, std::string::npos);
    return Utf8ToGb(result);
}
