#pragma once
#include <stdexcept>
#include <string>

// A failure a procedure reports in its error box; what() is the description line.
class VbError : public std::runtime_error
{
public:
    explicit VbError(const std::string &description) : std::runtime_error(description) { }
};

// A write that failed part way and whose old bytes could not all be put back: the file may hold
// part of it.
class NotPutBack : public VbError
{
public:
    using VbError::VbError;
};
