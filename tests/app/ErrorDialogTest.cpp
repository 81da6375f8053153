#include "FormFixture.h"

#include "framework/Exceptions.h"

namespace {

class ErrorDialogTest : public FormFixture {};

// An error that leaves a handler reaches the application's report, which the program points at the
// main window's skinned dialog.
TEST_F(ErrorDialogTest, AnUnhandledErrorIsShownInTheSkinnedDialogWithTheErrorCaption)
{
    Application->OnException = [this](const Exception& error) { form->ReportError(error); };
    driver.Expect(L"Error", TModalDriver::Press(IDOK));
    GuardEntryPoint([] { throw EConvertError(L"'x' is not a valid integer value"); });
    Application->OnException = nullptr;
    ASSERT_TRUE(driver.WaitDone());
    EXPECT_EQ(driver.Texts().at(0), L"'x' is not a valid integer value");
    EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr) << "no platform box on the way";
}

} // namespace
