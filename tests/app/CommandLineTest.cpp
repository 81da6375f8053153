#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TCommandLine Parse(std::vector<std::wstring> arguments) { return ParseCommandLine(arguments); }

TEST(CommandLine, RunSwitchInEachSpellingTakesExactlyOneFile)
{
    for (const wchar_t* runSwitch : {L"/run", L"-run", L"--run", L"/RUN", L"--Run"}) {
        TCommandLine command = Parse({runSwitch, L"D:\\Inventory plans\\nightly.cfg"});
        EXPECT_EQ(command.Kind, ckRun) << runSwitch;
        EXPECT_EQ(command.ConfigFile, L"D:\\Inventory plans\\nightly.cfg");
    }
    EXPECT_EQ(Parse({L"/run"}).Kind, ckInvalid);
    EXPECT_EQ(Parse({L"/run", L"  "}).Kind, ckInvalid);
    EXPECT_EQ(Parse({L"/run", L"a.cfg", L"b.cfg"}).Kind, ckInvalid);
    EXPECT_EQ(Parse({L"nightly.cfg"}).Kind, ckInvalid);
    EXPECT_EQ(Parse({L"/runs", L"a.cfg"}).Kind, ckInvalid);
}

TEST(CommandLine, NoArgumentsOpenTheWindowAndQuestionMarkAsksForTheUsage)
{
    EXPECT_EQ(Parse({}).Kind, ckWindow);
    EXPECT_EQ(Parse({L"/?"}).Kind, ckUsage);
    EXPECT_EQ(Parse({L"/?", L"x"}).Kind, ckInvalid);
}

} // namespace
