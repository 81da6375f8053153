#pragma once

#include "framework/Controls.h"

// A top-level window of the program.
class TForm : public TControl {
public:
    using TControl::TControl;
};
