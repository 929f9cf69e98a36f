#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The pictures and template tables the program carries, and their extraction into the picture
// folder, where every window loads them from by file name.
namespace res {

struct Failure
{
    std::string name;
    std::string description;
};

// The 90 resources that are extracted, in the order of extraction.
const std::vector<std::string> &names();

// The file a resource is extracted to: "AN0A" -> "an0A.dat", "PU_A1" -> "pu_A1.dat",
// "CA00" -> "ca00.dat", "AN" -> "an--.dat", "Q0" -> "0.dat".
std::string fileNameFor(const std::string &name);

// The bytes of any embedded resource: the 90 above, the drag icons "PAINT" and "EMPTY" and the
// button pictures "BTN_PATTERN", ...; throws VbError when the program carries no such one.
std::span<const uint8_t> data(const std::string &name);

// Writes resource dataName into the file fileName unless an ordinary file is there already, so a
// file the user edited is never overwritten. Throws VbError when the write fails.
void LDIF(const std::string &dataName, const std::string &fileName);

// Runs LDIF for every resource into folder ("/" is added when missing); the failures are returned
// in order, the remaining resources still tried.
// When the folder is empty (the first start) every file is written into a new folder beside it
// and that one renamed into place; the flush to the disk runs beside the program.
std::vector<Failure> extractAll(const std::string &folder);

// Waits for the flush of a first start, if one is running (the program's end waits anyway).
void finishFlush();

// What failed, in one description: the folder, how many files, the first reason.
std::string failureText(const std::vector<Failure> &failures, const std::string &folder);

} // namespace res
