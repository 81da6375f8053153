#include "framework/AccessibleWatch.h"

#include "framework/Accessible.h"

namespace {

// The focus and the pointer have events of their own or none worth telling.
constexpr LONG kTransientStates = STATE_SYSTEM_FOCUSED | STATE_SYSTEM_HOTTRACKED;

} // namespace

void TAccessibleWatch::Check(const TAccessibleObject& object)
{
    if (!object.Connected()) return;
    const LONG state = object.State(CHILDID_SELF) & ~kTransientStates;
    std::wstring name = object.Name(CHILDID_SELF);
    std::optional<std::wstring> value = object.Value(CHILDID_SELF);
    const LONG focusedChild = object.FocusedChild();
    const HWND window = object.Window();
    const LONG id = object.ObjectId();
    if (known_) {
        if (state != state_) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window, id, CHILDID_SELF);
        if (name != name_) NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, id, CHILDID_SELF);
        if (value != value_) NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window, id, CHILDID_SELF);
    }
    if (focusedChild != focusedChild_ && focusedChild != 0)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, window, id, focusedChild);
    known_ = true;
    state_ = state;
    name_ = std::move(name);
    value_ = std::move(value);
    focusedChild_ = focusedChild;
}
