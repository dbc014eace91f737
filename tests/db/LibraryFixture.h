#pragma once
// A fresh library database in a temporary folder, with the schema, open on `connection`.
#include <gtest/gtest.h>

#include <string>

#include "db/DbConnection.h"
#include "db/DbFile.h"
#include "db/DbQuery.h"
#include "db/Statements.h"
#include "support/TempAppDir.h"

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateDatabaseFile(path, kDatabasePassword));
        ASSERT_TRUE(connection.Open(path, kDatabasePassword)) << connection.LastError();
        for (const SqlStatement& statement : Sql::SchemaStatements())
            ASSERT_TRUE(ExecSql(query, statement)) << statement.sql;
    }

    // The rows of a query as "a|b|c" lines, for comparing whole results at once.
    std::string Rows(const SqlStatement& statement)
    {
        DbQuery reader(connection);
        reader.Open(statement);
        std::string text;
        for (reader.First(); !reader.Eof(); reader.Next()) {
            for (int c = 0; c < reader.FieldCount(); ++c)
                text += (c ? "|" : "") + reader.AsString(c);
            text += "\n";
        }
        return text;
    }

    void AddChapter(const std::string& book, const std::string& number,
                    const std::string& source, const std::string& title = "t")
    {
        ASSERT_TRUE(ExecSql(query, Sql::InsertChapter(book, "b", title, number, source)));
    }

    TempAppDir dir{false};
    std::string path = dir.File(kDatabaseFileName);
    DbConnection connection;
    DbQuery query{connection};
};
