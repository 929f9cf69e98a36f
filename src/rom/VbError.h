#pragma once
#include <stdexcept>
#include <string>

// A failure a procedure reports in its error box; what() is the description line.
class VbError : public std::runtime_error
{
public:
    explicit VbError(const std::string &description) : std::runtime_error(description) { }
};
