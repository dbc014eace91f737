#pragma once
// One SQL statement with its values. Values are always bound as parameters ("?" in the text),
// never spliced into the SQL text. Text values are the program's 8-bit text; the db layer
// converts them to UTF-8 for the database.
#include <string>
#include <variant>
#include <vector>

using SqlValue = std::variant<std::monostate, long long, std::string>;

struct SqlStatement {
    std::string sql;
    std::vector<SqlValue> params;
};
