#include "db/DbStatementRunner.h"

#include <sqlcipher/sqlite3.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "db/DbConnection.h"
#include "db/DbError.h"
#include "toolkit/TextCodec.h"

namespace {

// Leaves the cached statement reset (no lock held) and its bound texts released on every exit.
class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* statement) : statement_(statement) {}
    ~StatementUse()
    {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

private:
    sqlite3_stmt* statement_;
};

[[noreturn]] void Fail(sqlite3* db)
{
    throw DbError(Utf8ToGb(sqlite3_errmsg(db)));
}

void Bind(sqlite3* db, sqlite3_stmt* statement, const std::vector<SqlValue>& params)
{
    const int expected = sqlite3_bind_parameter_count(statement);
    if (expected != static_cast<int>(params.size()))
        throw DbError("statement takes " + std::to_string(expected) + " values, given " +
                      std::to_string(params.size()));
    for (int i = 0; i < expected; ++i) {
        const SqlValue& value = params[i];
        int rc = SQLITE_OK;
        if (const auto* number = std::get_if<long long>(&value)) {
            rc = sqlite3_bind_int64(statement, i + 1, *number);
        } else if (const auto* text = std::get_if<std::string>(&value)) {
            const std::string utf8 = GbToUtf8(*text);
            rc = sqlite3_bind_text64(statement, i + 1, utf8.data(), utf8.size(), SQLITE_TRANSIENT,
                                     SQLITE_UTF8);
        } else {
            rc = sqlite3_bind_null(statement, i + 1);
        }
        if (rc != SQLITE_OK)
            Fail(db);
    }
}

SqlValue ReadColumn(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_NULL:
        return std::monostate{};
    case SQLITE_INTEGER:
        return static_cast<long long>(sqlite3_column_int64(statement, column));
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
        return std::string(bytes ? bytes : "", sqlite3_column_bytes(statement, column));
    }
    default: {  // text, and a real number in its text form
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        return Utf8ToGb(std::string(text ? text : "", sqlite3_column_bytes(statement, column)));
    }
    }
}

// Length of the 8-bit character at `i`: one byte, a GBK pair, or a four-byte GB18030 form.
size_t CharLength(const std::string& s, size_t i)
{
    const auto lead = static_cast<unsigned char>(s[i]);
    size_t length = 1;
    if (lead >= 0x81 && lead <= 0xFE && i + 1 < s.size()) {
        const auto second = static_cast<unsigned char>(s[i + 1]);
        length = (second >= 0x30 && second <= 0x39) ? 4 : 2;
    }
    return std::min(length, s.size() - i);
}

char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Trimmed(const std::string& s)
{
    const size_t begin = s.find_first_not_of(" \t\r\n");
    if (begin == std::string::npos)
        return {};
    return s.substr(begin, s.find_last_not_of(" \t\r\n") - begin + 1);
}

}  // namespace

void RunStatement(DbConnection& connection, const SqlStatement& statement, DbResult* result)
{
    std::string error;
    sqlite3_stmt* prepared = connection.CachedStatement(statement.sql, error);
    if (!prepared)
        throw DbError(error);
    StatementUse use(prepared);
    sqlite3* db = connection.Handle();
    Bind(db, prepared, statement.params);

    if (result) {
        result->columns.clear();
        result->cells.clear();
    }
    // The columns are taken after the first step: a schema change (a column added) makes the
    // engine compile the cached statement anew there, and "Select *" then has one more.
    int columnCount = -1;
    for (;;) {
        const int rc = sqlite3_step(prepared);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            Fail(db);
        if (!result) {
            if (rc == SQLITE_DONE)
                break;
            continue;
        }
        if (columnCount < 0) {
            columnCount = sqlite3_column_count(prepared);
            for (int c = 0; c < columnCount; ++c) {
                const char* name = sqlite3_column_name(prepared, c);
                result->columns.push_back(Utf8ToGb(name ? name : ""));
            }
        }
        if (rc == SQLITE_DONE)
            break;
        for (int c = 0; c < columnCount; ++c)
            result->cells.push_back(ReadColumn(prepared, c));
    }
    if (result)
        result->changes = sqlite3_changes(db);
}

std::string ValueAsString(const SqlValue& value)
{
    if (const auto* number = std::get_if<long long>(&value))
        return std::to_string(*number);
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    return {};
}

int ValueAsInteger(const SqlValue& value)
{
    constexpr long long kMin = std::numeric_limits<int>::min();
    constexpr long long kMax = std::numeric_limits<int>::max();
    if (const auto* number = std::get_if<long long>(&value)) {
        if (*number < kMin || *number > kMax)
            throw DbError(std::to_string(*number) + " is not a 32-bit integer");
        return static_cast<int>(*number);
    }
    const auto* text = std::get_if<std::string>(&value);
    if (!text)
        return 0;
    const std::string trimmed = Trimmed(*text);
    if (trimmed.empty())
        return 0;
    const char* begin = trimmed.data() + (trimmed[0] == '+' ? 1 : 0);
    const char* end = trimmed.data() + trimmed.size();
    long long whole = 0;
    auto [stop, ec] = std::from_chars(begin, end, whole);
    if (ec == std::errc() && stop == end && whole >= kMin && whole <= kMax)
        return static_cast<int>(whole);
    // A real number stored as text ("3.0") reads as its whole part.
    char* realEnd = nullptr;
    const double real = std::strtod(trimmed.c_str(), &realEnd);
    if (realEnd == trimmed.c_str() + trimmed.size() && std::isfinite(real) && real >= kMin &&
        real <= kMax)
        return static_cast<int>(real);
    throw DbError("\"" + *text + "\" is not an integer");
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const size_t la = CharLength(a, i);
        const size_t lb = CharLength(b, j);
        if (la != lb)
            return false;
        if (la == 1 ? AsciiLower(a[i]) != AsciiLower(b[j]) : a.compare(i, la, b, j, lb) != 0)
            return false;
        i += la;
        j += lb;
    }
    return i == a.size() && j == b.size();
}
