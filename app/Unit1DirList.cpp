#include "app/Unit1.h"

void TForm1::BitBtn1Click() {}
void TForm1::BitBtn4Click() {}
void TForm1::BitBtn2Click() {}
void TForm1::BitBtn3Click() {}
void TForm1::ChooseFolderInto(TEdit*) {}
