#include "FormFixture.h"
#include "ListingShape.h"

#include "app/UnattendedRun.h"
#include "framework/Exceptions.h"
#include "framework/Text.h"

namespace {

// What a run left behind: the error's text ("" when none) and the listing file after its header
// line ("<no file>" when none was written).
struct TOutcome {
    std::wstring Error;
    std::string Body;
};

std::ostream& operator<<(std::ostream& out, const TOutcome& outcome)
{
    return out << "error '" << WideToUtf8(outcome.Error) << "', body '" << outcome.Body << "'";
}

bool operator==(const TOutcome& a, const TOutcome& b) { return a.Error == b.Error && a.Body == b.Body; }

// The unattended run against the window's own load and run of the same .cfg, with the
// process's current folder (the start folder of both) at the temporary tree.
class UnattendedRunTest : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        tree.Dir(L"Work\\alpha\\inner");
        tree.Dir(L"Work\\Beta");
        out = tree.Dir(L"out") + L"\\";
        config = tree.Root() + L"plan.cfg";
        root = tree.RootAnsi();
    }

    // A .cfg with the given "DIR" lines, written to the output folder with the fixed name.
    void WriteConfig(const std::string& dirLines, const std::string& outputDir = "")
    {
        SetFileBytes(config, "[DIR]\r\n" + dirLines +
                                 "[OUTPUT]\r\nOUTPUTDIR=" + (outputDir.empty() ? WideToAnsi(out) : outputDir) +
                                 "\r\nOUTPUTTYPE=0\r\nOUTPUTFILE=list.txt\r\n");
    }

    TOutcome TakeOutcome(const std::wstring& error)
    {
        std::wstring file = out + L"list.txt";
        std::string bytes = FileBytes(file);
        DeleteFileW(file.c_str());
        if (bytes == "<missing>") return {error, "<no file>"};
        size_t headerEnd = bytes.find("\r\n");
        return {error, headerEnd == std::string::npos ? bytes : bytes.substr(headerEnd + 2)};
    }

    TOutcome ThroughTheWindow()
    {
        std::wstring error;
        try {
            form->LoadConfigFile(config);
            form->RunListing();
        } catch (const Exception& raised) {
            error = raised.Message();
        }
        return TakeOutcome(error);
    }

    TOutcome Unattended(TExitCode expectedCode, const std::wstring& file)
    {
        TUnattendedResult result = RunUnattended(file);
        EXPECT_EQ(result.ExitCode, expectedCode) << WideToUtf8(result.Message);
        return TakeOutcome(result.Message);
    }

    // The unattended run ends with the code given and leaves what the window leaves; where folders could
    // not be read the window raises no error, while the unattended run names them.
    void ExpectAsTheWindow(TExitCode expectedCode)
    {
        TOutcome unattended = Unattended(expectedCode, config);
        TOutcome window = ThroughTheWindow();
        if (expectedCode == ecFoldersUnreadable)
            EXPECT_EQ(unattended.Body, window.Body);
        else
            EXPECT_EQ(unattended, window);
    }

    std::wstring out;
    std::wstring config;
    std::string root;
};

TEST_F(UnattendedRunTest, WritesTheWindowsListingForARelativeConfigName)
{
    WriteConfig("DIR0=" + root + "Work\\;2\r\n");
    TOutcome unattended = Unattended(ecSuccess, L"plan.cfg");
    EXPECT_EQ(unattended.Error, L"");
    WriteConfig("DIR0=" + root + "Work\\;2\r\nDIR1=" + root + "missing\\;1\r\n");
    unattended = Unattended(ecFoldersUnreadable, L"plan.cfg");
    ASSERT_TRUE(unattended.Body.ends_with("\r\n"));
    EXPECT_EQ(CanonicalListing(unattended.Body.substr(0, unattended.Body.size() - 2), 2),
              ListingLine(0, root + "Work\\") + ListingLine(1, root + "Work\\Beta\\") +
                  ListingLine(1, root + "Work\\alpha\\") + ListingLine(2, root + "Work\\alpha\\inner") +
                  ListingLine(0, root + "missing\\"));
    EXPECT_EQ(unattended.Body, ThroughTheWindow().Body);
}

TEST_F(UnattendedRunTest, DepthsOutsideTheListAndOddRootsWalkAsInTheWindow)
{
    tree.File(L"plain.txt");
    std::string longRoot = root + std::string(250, 'n') + "\\";
    for (const char* depth : {"0", "99", "-3"}) {
        SCOPED_TRACE(depth);
        WriteConfig("DIR0=" + root + "Work\\;" + depth + "\r\nDIR1=" + root + "plain.txt\\;1\r\nDIR2=" + longRoot +
                    ";1\r\nDIR3=" + root + "gone\\;2\r\n");
        ExpectAsTheWindow(ecFoldersUnreadable);
    }
}

TEST_F(UnattendedRunTest, DepthThatIsNoIntegerFailsAtItsRowAsInTheWindow)
{
    WriteConfig("DIR0=" + root + "Work\\;1\r\nDIR1=" + root + "Work\\;abc\r\n");
    TOutcome unattended = Unattended(ecInvalidDepth, config);
    EXPECT_EQ(unattended, (TOutcome{L"'abc' is not a valid integer value", "<no file>"}));
    EXPECT_EQ(unattended, ThroughTheWindow());

    // A file cut short inside a row leaves the row without its depth.
    SetFileBytes(config, "[OUTPUT]\r\nOUTPUTDIR=" + WideToAnsi(out) + "\r\n[DIR]\r\nDIR0=" + root + "Wo");
    unattended = Unattended(ecInvalidDepth, config);
    EXPECT_EQ(unattended, (TOutcome{L"'' is not a valid integer value", "<no file>"}));
}

TEST_F(UnattendedRunTest, Utf8AndVeryLargeConfigsAreReadAsTheWindowReadsThem)
{
    tree.Dir(L"資料\\子");
    std::string utf8Root = WideToUtf8(tree.Root() + L"資料\\");
    WriteConfig("DIR0=" + utf8Root + ";2\r\n");
    // Without a byte-order mark the bytes are taken in the ANSI code page, in the window as well: the
    // root then names no folder, which both report.
    ExpectAsTheWindow(ecFoldersUnreadable);
    SetFileBytes(config, "\xEF\xBB\xBF" + FileBytes(config));
    ExpectAsTheWindow(ecSuccess);

    std::string filler;
    while (filler.size() < 10 * 1024 * 1024)
        filler += "KEY" + std::to_string(filler.size()) + "=" + std::string(60, 'v') + "\r\n";
    WriteConfig("DIR0=" + root + "Work\\;1\r\n");
    SetFileBytes(config, FileBytes(config) + "[FILLER]\r\n" + filler);
    ExpectAsTheWindow(ecSuccess);
}

TEST_F(UnattendedRunTest, ConfigThatCannotBeReadOrHoldsNoSettingsIsRefused)
{
    TUnattendedResult missing = RunUnattended(tree.Root() + L"missing.cfg");
    EXPECT_EQ(missing.ExitCode, ecConfigUnreadable);
    EXPECT_TRUE(missing.Message.starts_with(L"Cannot open file \"" + tree.Root() + L"missing.cfg\". "))
        << WideToUtf8(missing.Message);
    EXPECT_EQ(RunUnattended(tree.Dir(L"folder.cfg")).ExitCode, ecConfigUnreadable);

    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 37) % 256);
    for (const std::string& bytes : {std::string(), binary, std::string("just some text\r\n")}) {
        SetFileBytes(config, bytes);
        TUnattendedResult result = RunUnattended(config);
        EXPECT_EQ(result.ExitCode, ecConfigUnreadable);
        EXPECT_EQ(result.Message, L"不是設定檔: " + config);
    }
    EXPECT_FALSE(FileExists(tree.Root() + L"Output"));
}

TEST_F(UnattendedRunTest, ConfigWithoutRootsIsRefusedWithoutWriting)
{
    WriteConfig("");
    TOutcome unattended = Unattended(ecNoRoots, config);
    EXPECT_EQ(unattended, (TOutcome{L"設定檔沒有要列舉的目錄: " + config, "<no file>"}));
}

TEST_F(UnattendedRunTest, OutputThatCannotBeWrittenGivesThePlatformsText)
{
    WriteConfig("DIR0=" + root + "Work\\;1\r\n", root + "nothere\\");
    EXPECT_EQ(Unattended(ecOutputNotWritable, config).Error, L"Invalid filename");
    tree.Dir(L"out\\list.txt");
    WriteConfig("DIR0=" + root + "Work\\;1\r\n");
    EXPECT_EQ(Unattended(ecOutputNotWritable, config).Error, L"File access denied");
}

} // namespace
