#pragma once
#include <string>
#include <vector>

// Starts the program at `program` with `args`, each handed to the system as its own bytes (a
// path need not be valid in any encoding), and does not wait for it. False when it could not be
// started: no such file, not executable.
bool startDetached(const std::string &program, const std::vector<std::string> &args);
