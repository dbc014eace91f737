#pragma once
// Whole-file reads and crash-safe whole-file writes. Every file the program replaces goes
// through WriteFileAtomically, so after a crash or a full disk a file holds either its old or
// its new content, never a mix.
#include <string>

// Writes `bytes` to a temporary file in the folder of `path`, flushes it to the disk and renames
// it over `path`. A replaced file keeps its permissions; a new one gets rw-r--r--. On failure
// the temporary file is removed, `path` is untouched, and `error` (when given) says why.
bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                         std::string* error = nullptr);

// The whole file as bytes; false (and `bytes` empty) when it is missing or cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes);
