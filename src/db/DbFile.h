#pragma once
#include <string>

// Creates an empty database file (no tables) keyed with the password. False when a file is
// already there or it cannot be written.
bool CreateDatabaseFile(const std::string& path, const std::string& password);
// Rewrites the file compactly, keeping every row, the AUTOINCREMENT counters and the key.
// Atomic: the file is at every moment either the old or the new copy. Opens the file itself,
// so it works while another connection to it is open but idle.
bool CompactDatabaseFile(const std::string& path, const std::string& password);

// The fixed key of the library database and its file name.
inline constexpr const char* kDatabasePassword = "qelmvurtipa";
inline constexpr const char* kDatabaseFileName = "data.mdb";
