#pragma once
// Reading the chapter data set's rows as the reader needs them.
#include <string>

class DbDataSet;

// Closes the data set and opens it on the book's chapters that are not removed, in chapter
// order. False (data set left closed) when that fails; an empty key only closes it.
bool OpenBookChapters(DbDataSet& chapters, const std::string& bookKey);

// A column of a row by its `booktit` name; "" (or 0) when the row or column is missing.
std::string ChapterField(const DbDataSet& chapters, int row, const char* column);
int ChapterNumberField(const DbDataSet& chapters, int row, const char* column);

// True when the data set is open and holds at least one row.
bool HasChapters(const DbDataSet& chapters);
