#include "SkinObjectsTestSupport.h"

#include <gtest/gtest.h>

namespace {

TSeSkinObject* Child(TSeSkinObject* parent, TSeAlign align, int width, int height, const std::wstring& name = L"")
{
    TSeSkinObject* child = Create(L"TSeSkinObject", parent, name);
    child->SetBounds({0, 0, width, height});
    child->SetAlign(align);
    return child;
}

} // namespace

TEST(SkinObjectLayout, ClientTakesWhatTheLeftChildLeavesWhateverTheOrder)
{
    for (bool clientFirst : {true, false}) {
        auto parent = CreateTop(L"TSeSkinObject");
        TSeSkinObject* client = nullptr;
        TSeSkinObject* left = nullptr;
        if (clientFirst) client = Child(parent.get(), saClient, 10, 10);
        left = Child(parent.get(), saLeft, 5, 10);
        if (!clientFirst) client = Child(parent.get(), saClient, 10, 10);
        parent->SetBounds({0, 0, 100, 40});
        EXPECT_EQ(left->BoundsRect(), TRect(0, 0, 5, 40));
        EXPECT_EQ(client->BoundsRect(), TRect(5, 0, 100, 40));
    }
}

TEST(SkinObjectLayout, MostAlignedChildrenGoFirstAndClientsShareTheRest)
{
    auto parent = CreateTop(L"TSeSkinObject");
    TSeSkinObject* top = Child(parent.get(), saTop, 0, 10);
    TSeSkinObject* mostLeft = Child(parent.get(), saMostLeft, 20, 0);
    TSeSkinObject* mostTop = Child(parent.get(), saMostTop, 0, 5);
    TSeSkinObject* right = Child(parent.get(), saRight, 7, 0);
    TSeSkinObject* bottom = Child(parent.get(), saBottom, 0, 3);
    TSeSkinObject* clientA = Child(parent.get(), saClient, 1, 1);
    TSeSkinObject* clientB = Child(parent.get(), saClient, 2, 2);
    TSeSkinObject* hidden = Child(parent.get(), saMostTop, 0, 50);
    hidden->SetVisible(false);
    parent->SetBounds({10, 10, 110, 110});

    EXPECT_EQ(mostTop->BoundsRect(), TRect(10, 10, 110, 15));
    EXPECT_EQ(mostLeft->BoundsRect(), TRect(10, 15, 30, 110));
    EXPECT_EQ(top->BoundsRect(), TRect(30, 15, 110, 25));
    EXPECT_EQ(bottom->BoundsRect(), TRect(30, 107, 110, 110));
    EXPECT_EQ(right->BoundsRect(), TRect(103, 25, 110, 107));
    EXPECT_EQ(clientA->BoundsRect(), TRect(30, 25, 103, 107));
    EXPECT_EQ(clientB->BoundsRect(), clientA->BoundsRect());
    EXPECT_EQ(hidden->BoundsRect(), TRect(0, 0, 0, 50));
}

TEST(SkinObjectLayout, CentringTruncatesTowardZero)
{
    auto parent = CreateTop(L"TSeSkinObject");
    TSeSkinObject* small = Child(parent.get(), saCenter, 3, 4);
    TSeSkinObject* large = Child(parent.get(), saCenter, 15, 12);
    parent->SetBounds({0, 0, 10, 9});
    EXPECT_EQ(small->BoundsRect(), TRect::FromSize(3, 2, 3, 4));
    // (10 - 15) / 2 = -2 and (9 - 12) / 2 = -1, not -3 and -2.
    EXPECT_EQ(large->BoundsRect(), TRect::FromSize(-2, -1, 15, 12));
}

TEST(SkinObjectLayout, SameBoundsTwiceRealignsOnce)
{
    auto parent = CreateTop(L"TSeSkinObject");
    TSeSkinObject* left = Child(parent.get(), saLeft, 5, 0);
    parent->SetBounds({0, 0, 100, 40});
    // Moved away from where a realign would put it (0, 0, 30, 40).
    left->SetBounds({12, 6, 42, 30});
    parent->SetBounds({0, 0, 100, 40});
    EXPECT_EQ(left->BoundsRect(), TRect(12, 6, 42, 30));
    parent->SetBounds({0, 0, 100, 41});
    EXPECT_EQ(left->BoundsRect(), TRect(0, 0, 30, 41));
}

TEST(SkinObjectLayout, NegativeSizesBecomeZeroAndGrandchildrenFollow)
{
    auto parent = CreateTop(L"TSeSkinObject");
    TSeSkinObject* client = Child(parent.get(), saClient, 0, 0);
    TSeSkinObject* grandchild = Child(client, saBottom, 0, 4);
    parent->SetBounds({0, 0, 50, 20});
    EXPECT_EQ(grandchild->BoundsRect(), TRect(0, 16, 50, 20));
    parent->SetBounds({10, 10, 5, 5});
    EXPECT_EQ(parent->Width(), 0);
    EXPECT_EQ(parent->Height(), 0);
}

TEST(SkinObjectLayout, CornerChildrenFollowTheChangeOfSizeOnce)
{
    auto parent = CreateTop<TSeBitmapObject>(L"TSeBitmapObject");
    parent->SetBounds({0, 0, 100, 50});
    TSeSkinObject* topRight = Child(parent.get(), saTopRight, 10, 10);
    topRight->SetBounds({90, 0, 100, 10});
    TSeSkinObject* bottomLeft = Child(parent.get(), saBottomLeft, 10, 10);
    bottomLeft->SetBounds({0, 40, 10, 50});
    TSeSkinObject* bottomRight = Child(parent.get(), saBottomRight, 10, 10);
    bottomRight->SetBounds({90, 40, 100, 50});
    TSeSkinObject* hidden = Child(parent.get(), saTopRight, 10, 10);
    hidden->SetBounds({80, 0, 90, 10});
    hidden->SetVisible(false);

    parent->SetBounds({0, 0, 130, 45});
    EXPECT_EQ(topRight->BoundsRect(), TRect(120, 0, 130, 10));
    EXPECT_EQ(bottomLeft->BoundsRect(), TRect(0, 35, 10, 45));
    EXPECT_EQ(bottomRight->BoundsRect(), TRect(120, 35, 130, 45));
    EXPECT_EQ(hidden->Left(), 110);

    // Realigning again (a bitmap object does so whenever it draws) must not move them further.
    parent->RealignChildren();
    EXPECT_EQ(topRight->Left(), 120);
    EXPECT_EQ(bottomLeft->Top(), 35);
}

TEST(SkinObjectHitTest, LastChildWinsAndTransparentPartsAnswerTheirOwner)
{
    auto button = CreateTop(L"TSeSkinObject", L"Button");
    TSeSkinObject* under = Child(button.get(), saNone, 0, 0, L"Under");
    under->SetBounds({0, 0, 50, 20});
    TSeSkinObject* over = Child(button.get(), saNone, 0, 0, L"Over");
    over->SetBounds({10, 0, 30, 20});
    TSeSkinObject* glyph = Child(over, saNone, 0, 0, L"Glyph");
    glyph->SetBounds({12, 2, 20, 10});
    glyph->SetKind(skTranparent);
    button->SetBounds({0, 0, 50, 20});

    EXPECT_EQ(button->HitTest({5, 5}), under);
    EXPECT_EQ(button->HitTest({15, 5}), over);
    EXPECT_EQ(button->HitTest({29, 19}), over);
    EXPECT_EQ(button->HitTest({30, 5}), under);
    EXPECT_EQ(button->HitTest({50, 5}), nullptr);
    over->SetVisible(false);
    EXPECT_EQ(button->HitTest({15, 5}), under);
    under->SetBounds({0, 0, 5, 5});
    EXPECT_EQ(button->HitTest({40, 10}), button.get());
}

TEST(SkinObjectSearch, ByNameIgnoringCaseSelfFirstThenDepthFirst)
{
    auto root = CreateTop(L"TSeSkinObject", L"Face");
    TSeSkinObject* first = Child(root.get(), saNone, 0, 0, L"Frame");
    TSeSkinObject* nested = Child(first, saNone, 0, 0, L"Text");
    TSeSkinObject* second = Child(root.get(), saNone, 0, 0, L"Text");
    nested->SetKind(skTitle);
    second->SetKind(skTitle);

    EXPECT_EQ(root->FindObjectByName(L"face"), root.get());
    EXPECT_EQ(root->FindObjectByName(L"TEXT"), nested);
    EXPECT_EQ(first->FindObjectByName(L"text"), nested);
    EXPECT_EQ(second->FindObjectByName(L"Text"), second);
    EXPECT_EQ(root->FindObjectByName(L"Missing"), nullptr);
    EXPECT_EQ(root->FindObjectByKind(skTitle), nested);
    EXPECT_EQ(root->FindObjectByKind(skNone), root.get());
    EXPECT_EQ(root->FindObjectByKind(skClient), nullptr);
}

TEST(SkinObjectTree, StateBindingAndActiveFlagReachTheSubtree)
{
    auto root = CreateTop(L"TSeSkinObject");
    TSeSkinObject* child = Child(root.get(), saNone, 0, 0);
    TSeSkinObject* grandchild = Child(child, saNone, 0, 0);
    TRecordingControl control(nullptr);
    control.SetBiDiMode(bdRightToLeft);

    root->SetState(ssHot);
    EXPECT_EQ(grandchild->State(), ssHot);
    root->Bind(&control);
    EXPECT_EQ(grandchild->BoundControl(), &control);
    EXPECT_EQ(grandchild->BiDiMode(), bdRightToLeft);

    root->SetActive(true);
    EXPECT_TRUE(grandchild->Active());
    // Setting the flag the root already has does not visit the descendants.
    child->SetActive(false);
    root->SetActive(true);
    EXPECT_FALSE(grandchild->Active());
    root->Bind(nullptr);
    EXPECT_EQ(grandchild->BoundControl(), nullptr);
}

TEST(SkinObjectTree, InvalidateAndOwningFormAskTheBoundControl)
{
    auto root = CreateTop(L"TSeSkinObject");
    TSeSkinObject* child = Child(root.get(), saNone, 0, 0);
    TRecordingControl control(nullptr);
    TFakeFrame frame;
    control.Frame = &frame;

    child->Invalidate();
    EXPECT_EQ(root->OwningForm(), nullptr);
    EXPECT_TRUE(control.Received.empty());

    root->Bind(&control);
    child->Invalidate();
    ASSERT_EQ(control.Received.size(), 1u);
    EXPECT_EQ(control.Received[0], std::make_pair(CM_SKINOBJECTINVALIDATE, reinterpret_cast<LPARAM>(child)));
    child->SetVisible(false);
    child->Invalidate();
    EXPECT_EQ(control.Received.size(), 1u);
    EXPECT_EQ(child->OwningForm(), &frame);
}

namespace {

class TRecordingForm : public TForm {
public:
    using TForm::TForm;
    std::vector<LPARAM> Invalidated;

protected:
    void WndProc(TMessage& message) override
    {
        if (message.Msg == CM_SKINOBJECTINVALIDATE) Invalidated.push_back(message.LParam);
        TForm::WndProc(message);
    }
};

TFakeFrame* hookedFrame = nullptr;
WNDPROC formProcedure = nullptr;

// Stands in for the skinned form frame, which answers from a hook on the form's window.
LRESULT CALLBACK FrameHook(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == CM_GETSKINFORM) return reinterpret_cast<LRESULT>(hookedFrame);
    return CallWindowProcW(formProcedure, window, msg, wParam, lParam);
}

} // namespace

TEST(SkinObjectTree, AWindowedControlIsAskedThroughItsWindowSoThatHooksAnswer)
{
    TRecordingForm form(nullptr);
    HWND window = form.Handle();
    auto object = CreateTop(L"TSeSkinObject");
    object->Bind(&form);
    object->Invalidate();
    EXPECT_EQ(form.Invalidated, std::vector<LPARAM>{reinterpret_cast<LPARAM>(object.get())});
    EXPECT_EQ(object->OwningForm(), nullptr);

    TFakeFrame frame;
    hookedFrame = &frame;
    formProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameHook)));
    EXPECT_EQ(object->OwningForm(), &frame);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(formProcedure));
}
