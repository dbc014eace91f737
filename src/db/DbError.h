#pragma once
#include <stdexcept>

// Raised when a query object or data set is read or used in a state where that fails
// (for instance reading a query whose statement failed). The text says why, in 8-bit text.
class DbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
