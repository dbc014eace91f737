#pragma once
// The columns of the chapter grid, in the order the grid shows them: three visible ones, then
// the hidden ones the commands read.
#include <array>

namespace ChapterColumn {

enum Index { Title, Fetched, Source, Number, BookKey, BookName, FetchState, ReadMark, Count };

// Column names of table `booktit`, by Index.
inline constexpr std::array<const char*, Count> kFields = {
    "namec", "dtime", "addressb", "address", "name", "nameb", "type", "typeb"};

inline constexpr int kVisibleCount = 3;

}  // namespace ChapterColumn
