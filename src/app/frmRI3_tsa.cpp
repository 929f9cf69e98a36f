#include "app/frmRI3.h"

// The block editor window is not built yet: the selector's right press does nothing.
bool frmRI3::hasBlockEditor() const
{
    return false;
}

void frmRI3::openBlockEditor() { }
