#pragma once
#include <string>

namespace errtext {

// Every error box of the program uses these (errMsg, errTitle, errCont); they never change, so
// the box layer holds them rather than any window.
inline constexpr const char *msg = "The program encountered an unexpected error.";
inline constexpr const char *title = "What a horrible night to have a curse";
inline constexpr const char *cont = "Execution will continue.";
inline constexpr const char *contLevel
    = "Execution will continue, but the level data may have been incorrectly processed.";
inline constexpr const char *contSave
    = "Execution will continue, but changes may have been incorrectly saved.";

// The standard error box's text; lines are separated by a single CR.
inline std::string box(const std::string &errMsg, const std::string &description, int subroutine,
    const std::string &lastLine)
{
    return errMsg + "\rDescription : " + description + " in subroutine "
        + std::to_string(subroutine) + ".\r" + lastLine;
}

} // namespace errtext
