#pragma once
// Where a book's pages live below the application directory (native paths).
#include <string>

// AppDir + "Book/<book key>/<local number>.htm".
std::string ChapterPagePath(const std::string& bookKey, const std::string& number);
// AppDir + "Book/<book key>/List.htm".
std::string BookListPagePath(const std::string& bookKey);
// AppDir + "Book" (no trailing separator).
std::string BookFolderPath();
// AppDir + "Model/home.htm".
std::string HomePageFilePath();
