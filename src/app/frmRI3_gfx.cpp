#include "app/frmRI3.h"

// The pattern, palette and sprite palette windows are not built yet.
void frmRI3::cmdPattern_Click() { }

void frmRI3::cmdEPat_Click()
{
    cmdEPatTag = "Yeah";
    cmdPattern_Click();
}

void frmRI3::EditPalettes() { }

void frmRI3::cmdEPal_Click() { }
