#include "app/Unit1.h"

void TForm1::BitBtn5Click() {}
