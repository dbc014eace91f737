#pragma once
// Keeping an existing file's schema up to date.
class DbConnection;

// Creates the lookup indexes that are missing, on the tables that exist. Opening a file does
// this; true when every index is there afterwards.
bool EnsureIndexes(DbConnection& connection);

// True when the rule table exists and lacks the `dellink` column (a file of an earlier
// version); run Sql::AddDellinkColumn() then. False on a closed connection.
bool RuleTableNeedsDellink(DbConnection& connection);
