// The accessible object of the message dialog: a dialog named by its caption whose first child is
// the message text; its buttons follow as the child windows they are.
#include "framework/StdCtrls.h"
#include "skinctl/KsAccessible.h"
#include "skinwin/KsMessages.h"

namespace {

constexpr LONG kMessageChild = 1;

class TMessageDialogAccessible : public TKsControlAccessible<TKsMessageForm> {
public:
    using TKsControlAccessible::TKsControlAccessible;

    LONG Role(LONG child) const override { return child == CHILDID_SELF ? ROLE_SYSTEM_DIALOG : ROLE_SYSTEM_STATICTEXT; }
    std::wstring Name(LONG child) const override
    {
        return child == CHILDID_SELF ? TKsControlAccessible::Name(child) : Message()->Caption();
    }
    std::wstring Description(LONG child) const override { return Message() ? Message()->Caption() : L""; }
    LONG State(LONG child) const override
    {
        if (child == CHILDID_SELF) return TKsControlAccessible::State(child) & ~STATE_SYSTEM_FOCUSABLE;
        return STATE_SYSTEM_READONLY;
    }
    LONG ChildCount() const override { return Message() ? 1 : 0; }
    TRect ChildScreenRect(LONG child) const override
    {
        const TLabel* label = Message();
        const TPoint origin = Target().ClientToScreen({label->Left(), label->Top()});
        return TRect::FromSize(origin.X, origin.Y, label->Width(), label->Height());
    }
    LONG ChildAtScreen(TPoint point) const override
    {
        return ChildCount() && ChildScreenRect(kMessageChild).Contains(point) ? kMessageChild : CHILDID_SELF;
    }

private:
    const TLabel* Message() const { return dynamic_cast<const TLabel*>(Target().FindComponent(L"Message")); }
};

} // namespace

TAccessibleObject* TKsMessageForm::CreateAccessible(LONG objectId)
{
    return objectId == OBJID_CLIENT ? new TMessageDialogAccessible(*this, objectId) : nullptr;
}
