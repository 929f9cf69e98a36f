#include "app/frmRI3.h"

// The damage, music and game options windows are not built yet.
void frmRI3::Damage() { }

void frmRI3::BGM() { }

void frmRI3::cmdMisc_Click() { }
