#pragma once

#include <windows.h>

#include <optional>
#include <string>

class TAccessibleObject;

// Remembers what a window's accessible object said last (state, name, value, focused child) and
// raises the platform's events for what changed since, so screen readers follow the control
// whatever changed it. The first look only takes note, except of a focused child.
class TAccessibleWatch {
public:
    void Check(const TAccessibleObject& object);

private:
    bool known_ = false;
    LONG state_ = 0;
    std::wstring name_;
    std::optional<std::wstring> value_;
    LONG focusedChild_ = 0;
};
