#include "app/Unit1.h"

void TForm1::CFGS1Click() {}
void TForm1::CFGL1Click() {}
