#include "app/Unit1.h"

#include "app/ExclusionsDialog.h"

// The listing's encoding and the excluded folder names: settings of the run that only the menu
// shows, saved and loaded with the .cfg.

void TForm1::ENCA1Click()
{
    if (RunInProgress()) return;
    SetOutputEncoding(leAnsi);
}

void TForm1::ENCU1Click()
{
    if (RunInProgress()) return;
    SetOutputEncoding(leUtf8);
}

void TForm1::SetOutputEncoding(TListingEncoding encoding)
{
    OutputEncoding = encoding;
    ENCA1->SetChecked(encoding == leAnsi);
    ENCU1->SetChecked(encoding == leUtf8);
}

void TForm1::EXCL1Click()
{
    if (RunInProgress()) return;
    EditExcludePatterns(this, SeSkinEngine1, ExcludePatterns);
}
