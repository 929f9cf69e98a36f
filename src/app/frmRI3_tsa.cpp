#include "app/frmRI3.h"
#include "gfx/frmEditTSA.h"

// The block editor on g.tsaBlock, modal; the caller redraws when it returns.
void frmRI3::openBlockEditor()
{
    frmEditTSA editor(g, *this, this);
    editor.exec();
}
