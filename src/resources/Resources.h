#pragma once
#include "rom/RomImage.h"

#include <cstddef>
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
// file the user edited is never overwritten. Anything else standing at that name (a pipe, a
// folder, a link that leads nowhere) is left as it is. Throws VbError when nothing was written.
void LDIF(const std::string &dataName, const std::string &fileName);

// The most a picture file may hold. The program's own are a few hundred bytes; one a user drew
// may be far larger, but one beyond this is taken as damaged rather than read whole.
inline constexpr size_t pictureLimit = size_t(1) << 20;

// The bytes of a picture file of the program, read without ever waiting on another process
// and never beyond pictureLimit. Throws VbError naming the file, and what stands at its path,
// when it is missing, no regular file, larger than that, or cannot be read.
Bytes readPicture(const std::string &path);

// What is said of a picture file of the program that cannot be used: which file, what is wrong
// with it, that the ROM is not concerned, and how to have the picture back.
std::string pictureFault(const std::string &path, const std::string &what);

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
