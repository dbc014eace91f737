#pragma once
// The application directory: every file of the program lives below it.
// `main` sets it to the executable's folder, tests to a fresh temporary folder; nobody else
// computes it.
#include <string>

// `dir` is a native path; a trailing separator is added when missing.
void SetAppDir(const std::string& dir);
// The application directory with a trailing "/" (empty until set).
const std::string& AppDir();
