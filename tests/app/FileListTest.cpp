// The file list on a real list box: adding, drops, remove and move selection, the extent.
#include "app/FileList.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/listbox.h>

#include "UiTestSupport.h"
#include "toolkit/wx/NativeLook.h"

using namespace Zenlo;

namespace fs = std::filesystem;

namespace {

wxArrayString strings(std::initializer_list<const char*> texts) {
    wxArrayString result;
    for (const char* text : texts)
        result.Add(text);
    return result;
}

class GuiFileList : public testing::Test {
protected:
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "list");
        listBox = new wxListBox(frame, wxID_ANY, wxDefaultPosition, wxSize(200, 120), 0, nullptr,
                                wxLB_SINGLE | wxLB_HSCROLL | wxLB_NEEDED_SB);
        up = new wxButton(frame, wxID_ANY, "up", wxPoint(210, 0));
        down = new wxButton(frame, wxID_ANY, "down", wxPoint(210, 40));
        list = std::make_unique<ZnFileList>(listBox, up, down);
        fs::create_directories(root / "folder");
    }
    void TearDown() override {
        list.reset();
        frame->Destroy();
    }
    wxString file(const char* name) {
        testfiles::writeFile(root / name, name);
        return wxString::FromUTF8((root / name).string());
    }
    wxArrayString shown() const {
        wxArrayString items;
        for (unsigned i = 0; i < listBox->GetCount(); ++i)
            items.Add(listBox->GetString(i));
        return items;
    }
    void fill(std::initializer_list<const char*> names) { list->append(strings(names)); }

    wxFrame* frame = nullptr;
    wxListBox* listBox = nullptr;
    wxButton* up = nullptr;
    wxButton* down = nullptr;
    std::unique_ptr<ZnFileList> list;
    testfiles::TestFolder folder;
    const fs::path root = folder.path();
};

} // namespace

TEST_F(GuiFileList, SameFileTwiceGivesTwoEntries) {
    wxString a = file("a.bin");
    list->append(wxArrayString(1, &a));
    list->append(wxArrayString(1, &a));
    ASSERT_EQ(listBox->GetCount(), 2u);
    Zenlo::StringList entries = list->rows();
    EXPECT_EQ(entries.count(), 2u);
    EXPECT_TRUE(entries[0] == entries[1]);
}

TEST_F(GuiFileList, DropsTakeOnlyFiles) {
    wxArrayString dropped;
    dropped.Add(file("one.bin"));
    dropped.Add(wxString::FromUTF8((root / "folder").string()));
    dropped.Add(wxString::FromUTF8((root / "missing.bin").string()));
    dropped.Add(file("two.bin"));
    // Through the drop target, as the toolkit delivers a drop.
    ZnFileDropTarget target([&](const wxArrayString& paths) { list->addDropped(paths); });
    EXPECT_TRUE(target.OnDropFiles(0, 0, dropped));
    wxArrayString items = shown();
    ASSERT_EQ(items.GetCount(), 2u);
    EXPECT_EQ(items[0], dropped[0]);
    EXPECT_EQ(items[1], dropped[3]);
    wxArrayString onlyFolders(1, &dropped[1]);
    EXPECT_EQ(list->addDropped(onlyFolders), 0);
    EXPECT_EQ(listBox->GetCount(), 2u);
}

TEST_F(GuiFileList, RemoveSelectsTheEntryAtThePlaceOrTheNewLast) {
    fill({"a", "b", "c"});
    listBox->SetSelection(1);
    list->removeSelected();
    EXPECT_EQ(shown(), strings({"a", "c"}));
    EXPECT_EQ(listBox->GetSelection(), 1);
    list->removeSelected(); // the last entry: the new last one is selected
    EXPECT_EQ(listBox->GetCount(), 1u);
    EXPECT_EQ(listBox->GetSelection(), 0);
    list->removeSelected(); // the only entry: an empty list with no selection
    EXPECT_EQ(listBox->GetCount(), 0u);
    EXPECT_EQ(listBox->GetSelection(), wxNOT_FOUND);
    list->removeSelected(); // nothing selected: nothing happens
    EXPECT_EQ(list->horizontalExtent(), 0);
}

TEST_F(GuiFileList, MoveDownAndUpRestoresTheOrderAndKeepsTheSelection) {
    fill({"first", "second", "third"});
    listBox->SetSelection(0);
    EXPECT_TRUE(list->moveSelected(false));
    EXPECT_EQ(listBox->GetString(1), "first");
    EXPECT_EQ(listBox->GetSelection(), 1);
    EXPECT_EQ(list->defaultArrow(), down);
    EXPECT_TRUE(list->moveSelected(true));
    EXPECT_EQ(listBox->GetString(0), "first");
    EXPECT_EQ(listBox->GetString(1), "second");
    EXPECT_EQ(listBox->GetSelection(), 0);
    EXPECT_EQ(list->defaultArrow(), up);
    // At the ends the move is refused and nothing changes.
    EXPECT_FALSE(list->moveSelected(true));
    listBox->SetSelection(2);
    EXPECT_FALSE(list->moveSelected(false));
    EXPECT_EQ(listBox->GetString(2), "third");
    EXPECT_EQ(list->defaultArrow(), up);
#ifdef __WXGTK__
    EXPECT_TRUE(showAsDefaultButton(down, false)) << "the GTK style calls were not found";
#endif
}

// After the long entry goes, the list no longer scrolls into blank space.
TEST_F(GuiFileList, SidewaysScrollingEndsWithTheLongEntry) {
    frame->Show();
    wxString longPath = "/a/very/long/path/that/does/not/fit/into/the/list/box/at/all/file.bin";
    for (bool clearAll : {false, true}) {
        SCOPED_TRACE(clearAll ? "clear" : "remove");
        fill({"short"});
        list->append(wxArrayString(1, &longPath));
        ASSERT_TRUE(UiTest::scrollsSideways(listBox)) << "the long entry needs scrolling";
        if (clearAll) {
            list->removeAll();
        } else {
            listBox->SetSelection(1);
            list->removeSelected();
        }
        EXPECT_FALSE(UiTest::scrollsSideways(listBox));
        list->removeAll();
    }
}
