#include "FormFixture.h"

#include "app/ListingFile.h"
#include "framework/Exceptions.h"
#include "framework/Text.h"

namespace {

// The names of the listing's temporary files in a folder.
std::vector<std::wstring> TemporaryFiles(const std::wstring& directory)
{
    return FolderEntries(directory, L"~folvane-*");
}

// A writer whose disk fills up after a number of bytes.
class TFillingWriter : public TListingFileWriter {
public:
    TFillingWriter(const std::wstring& directory, size_t room) : TListingFileWriter(directory), room_(room) {}

protected:
    void WriteBytes(HANDLE file, const char* data, size_t size) override
    {
        size_t now = std::min(size, room_);
        TListingFileWriter::WriteBytes(file, data, now);
        room_ -= now;
        if (now < size) throw EInOutError(SystemErrorText(ERROR_DISK_FULL));
    }

private:
    size_t room_;
};

const std::string kPrevious = "\xA6\x43\xC1\x7C previous listing\r\n\r\nC:\\Old\\\r\n";

TEST(ListingWriteFailure, AWriteFailingPartWayLeavesThePreviousFileAndNoTemporaryFile)
{
    TTempTree tree(L"diskfull");
    const std::wstring target = tree.Root() + L"folvane.txt";
    SetFileBytes(target, kPrevious);
    try {
        TFillingWriter writer(tree.Root(), 100000);
        TListing listing(leAnsi, writer);
        for (int line = 0; line < 10000; ++line) listing.AddLine(1, "C:\\Some\\Folder\\", false, L"name");
        listing.Flush();
        writer.Commit(target);
        ADD_FAILURE() << "the disk never filled";
    } catch (const EInOutError& error) {
        EXPECT_EQ(error.Message(), SystemErrorText(ERROR_DISK_FULL));
    }
    EXPECT_EQ(FileBytes(target), kPrevious);
    EXPECT_TRUE(TemporaryFiles(tree.Root()).empty());
}

TEST(ListingWriteFailure, StaleTemporaryFilesGoButOneInUseStays)
{
    TTempTree tree(L"stale");
    SetFileBytes(tree.Root() + L"~folvane-4242-1-1.tmp", "left by a crash");
    SetFileBytes(tree.Root() + L"~other.tmp", "not ours");
    TListingFileWriter inProgress(tree.Root());
    std::wstring inProgressName = ExtractFileName(inProgress.TemporaryPath());
    EXPECT_EQ(TemporaryFiles(tree.Root()), std::vector<std::wstring>{inProgressName});
    {
        TListingFileWriter next(tree.Root());
        std::vector<std::wstring> both = TemporaryFiles(tree.Root());
        EXPECT_EQ(both.size(), 2u);
        EXPECT_NE(std::find(both.begin(), both.end(), inProgressName), both.end());
    }
    EXPECT_EQ(TemporaryFiles(tree.Root()), std::vector<std::wstring>{inProgressName});
    EXPECT_EQ(FileBytes(tree.Root() + L"~other.tmp"), "not ours");
}

// Runs of the window that end without a file: the previous listing stays byte for byte and no
// temporary file is left in the output folder.
class UnfinishedRun : public FormFixture {
protected:
    void SetUp() override
    {
        FormFixture::SetUp();
        tree.Dir(L"Work\\alpha");
        tree.Dir(L"Chain\\one\\two");
        out = tree.Dir(L"out") + L"\\";
        form->Edit2->SetText(out);
        SetFileBytes(out + L"folvane.txt", kPrevious);
        AddRows({{tree.Root() + L"Work\\", L"1"}, {tree.Root() + L"Chain\\", L"2"}});
    }

    // The error's text; a completion message, which must not come, is answered so that the test goes on.
    std::wstring RunRaising()
    {
        TModalDriver completion;
        completion.Expect(kMessageCaption, TModalDriver::Press(IDOK));
        try {
            form->BitBtn5Click();
        } catch (const Exception& error) {
            return error.Message();
        }
        return L"<no error>";
    }

    std::wstring out;
};

TEST_F(UnfinishedRun, AStoppedRunLeavesThePreviousFile)
{
    PostClick(form->BitBtn6);
    driver.Expect(kMessageCaption, TModalDriver::Press(IDOK));
    form->BitBtn5Click();
    ASSERT_TRUE(driver.WaitDone(3000));
    EXPECT_EQ(driver.Texts().at(0), L"取消列舉目錄");
    EXPECT_EQ(FileBytes(out + L"folvane.txt"), kPrevious);
    EXPECT_TRUE(TemporaryFiles(out).empty());
}

TEST_F(UnfinishedRun, AFileThatCannotBeReplacedOrAMissingFolderFailWithTheClassicTexts)
{
    SetFileAttributesW((out + L"folvane.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(RunRaising(), L"File access denied");
    SetFileAttributesW((out + L"folvane.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(FileBytes(out + L"folvane.txt"), kPrevious);
    EXPECT_TRUE(TemporaryFiles(out).empty());
    EXPECT_EQ(form->ProgressBar1->Position(), 0);

    form->Edit2->SetText(tree.Root() + L"nothere\\");
    EXPECT_EQ(RunRaising(), L"Invalid filename");
    EXPECT_FALSE(FileExists(tree.Root() + L"nothere"));
}

} // namespace
