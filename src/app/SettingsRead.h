#pragma once
#include "rom/ProgramFiles.h"

// Reads the first `settings` of the program's settings file into v. What is wrong with the file
// is shown in one error box of procedure `subroutine`, once: a reading that finds the same again
// stays quiet. files.iniReport keeps what was last found.
void readSettings(ProgramFiles &files, int subroutine, int settings, IniValues &v);
