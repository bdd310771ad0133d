// The main dialog converting for real: drops, list editing, convert, stop, close during a run,
// a folder that cannot be made, and the summary of failed inputs.
#include "app/MainDlg.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include <wx/dirdlg.h>
#include <wx/dnd.h>
#include <wx/filedlg.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "UiTestSupport.h"
#include "app/App.h"
#include "app/MainDlgIds.h"
#include "i18n/Language.h"
#include "toolkit/TextEncoding.h"

using namespace Zenlo;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class GuiConvert : public testing::Test {
protected:
    void SetUp() override {
        // The start folder is the current directory: relative output folders land below it.
        fs::copy(fs::path(HEXMOOR_SOURCE_DIR) / "lang", folder.path() / "lang");
        // As the application does: the dialog's end code becomes the program's.
        dialog =
            UiTest::openMainDialog([](int code) { static_cast<ZnApp*>(wxTheApp)->quit(code); });
        ASSERT_TRUE(dialog);
    }
    void TearDown() override { UiTest::closeWindow(dialog); }

    fs::path file(const std::string& name, std::size_t size) {
        fs::path path = folder.path() / "in" / name;
        testfiles::writeFile(path, testfiles::patternBytes(size));
        return path;
    }
    // A large input of zeros that takes no disk space: long enough to stop or close mid-run.
    fs::path bigFile() {
        fs::path path = folder.path() / "in" / "big.bin";
        testfiles::writeFile(path, "");
        fs::resize_file(path, std::uintmax_t{1} << 32);
        return path;
    }
    void drop(std::initializer_list<fs::path> paths) {
        wxArrayString names;
        // As UTF-8 on every platform (a Windows path's narrow form is the ANSI code page).
        for (const fs::path& path : paths)
            names.Add(wxString::FromUTF8(reinterpret_cast<const char*>(path.u8string().c_str())));
        ASSERT_NE(dialog->GetDropTarget(), nullptr);
        static_cast<wxFileDropTarget*>(dialog->GetDropTarget())->OnDropFiles(0, 0, names);
        UiTest::pumpEvents();
    }
    bool waitIdle() {
        return UiTest::waitUntil([&] { return dialog->busy == 0; }) && (UiTest::pumpEvents(), true);
    }
    void setText(int id, const char* text) {
        static_cast<wxTextCtrl*>(dialog->FindWindow(id))->SetValue(wxString::FromUTF8(text));
    }
    std::string text(int id) {
        wxWindow* control = dialog->FindWindow(id);
        if (auto* edit = dynamic_cast<wxTextCtrl*>(control)) return edit->GetValue().utf8_string();
        return static_cast<wxStaticText*>(control)->GetLabelText().utf8_string();
    }
    int bar(int id) { return static_cast<wxGauge*>(dialog->FindWindow(id))->GetValue(); }
    bool enabled(int id) { return dialog->FindWindow(id)->IsEnabled(); }
    wxListBox* list() { return static_cast<wxListBox*>(dialog->FindWindow(MainId::fileList)); }
    static int count(const std::string& text, const std::string& piece) {
        int n = 0;
        for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
            ++n;
        return n;
    }

    testfiles::TestFolder folder;
    testfiles::CurrentFolderChange current{folder.path()};
    CMainDlg* dialog = nullptr;
};

void loadEnglish();

} // namespace

TEST_F(GuiConvert, SameFileTwiceIsRefusedBeforeWriting) {
    loadEnglish();
    fs::path a = file("a.bin", 100);
    drop({a});
    drop({a});
    ASSERT_EQ(list()->GetCount(), 2u);
    UiTest::click(dialog, MainId::convert);
    ASSERT_TRUE(waitIdle());
    // Both would define g_a_bin_array: the run is refused and told like any failed input.
    EXPECT_FALSE(fs::exists(folder.path() / "out" / "arrays.cpp"));
    EXPECT_EQ(text(MainId::fileLabel).rfind("the variable name g_a_bin_array", 0), 0u)
        << text(MainId::fileLabel);
    EXPECT_TRUE(enabled(MainId::convert));
    EXPECT_FALSE(enabled(MainId::stop));
}

// Names outside the local code page (Windows' narrow file functions would lose them) reach the
// engine whole: the input is read and named in the output.
TEST_F(GuiConvert, DroppedFileWithANonAsciiNameIsConverted) {
    const fs::path input = folder.path() / "in" / fs::path(u8"Grüße, Привет.bin");
    testfiles::writeFile(input, std::string(70, 'x'));
    drop({input});
    ASSERT_EQ(list()->GetCount(), 1u);
    UiTest::click(dialog, MainId::convert);
    ASSERT_TRUE(waitIdle());
    const std::string output = testfiles::readFile(folder.path() / "out" / "arrays.cpp");
    EXPECT_EQ(count(output, reinterpret_cast<const char*>(u8"Grüße, Привет.bin file byte array")),
              1)
        << output.substr(0, 400);
    EXPECT_EQ(count(output, "_size = 70;"), 1);
    EXPECT_EQ(text(MainId::fileLabel), "...") << "no input failed";
}

TEST_F(GuiConvert, DroppedFoldersAreSkipped) {
    fs::create_directories(folder.path() / "in" / "sub");
    drop({folder.path() / "in" / "sub"});
    EXPECT_EQ(list()->GetCount(), 0u) << "only folders: the list stays as it was";
    fs::path one = file("one.bin", 1), two = file("two.bin", 2);
    drop({one, folder.path() / "in" / "sub", two, folder.path() / "in" / "gone.bin"});
    ASSERT_EQ(list()->GetCount(), 2u);
    EXPECT_EQ(list()->GetString(0).utf8_string(), one.string());
    EXPECT_EQ(list()->GetString(1).utf8_string(), two.string());
}

TEST_F(GuiConvert, RemoveAndMoveKeepTheSelection) {
    for (const char* name : {"/a", "/b", "/c"})
        list()->Append(name);
    list()->SetSelection(0);
    UiTest::click(dialog, MainId::moveDown);
    EXPECT_EQ(list()->GetString(1), "/a");
    EXPECT_EQ(list()->GetSelection(), 1);
    UiTest::click(dialog, MainId::moveUp);
    EXPECT_EQ(list()->GetString(0), "/a");
    EXPECT_EQ(list()->GetString(1), "/b");
    EXPECT_EQ(list()->GetSelection(), 0);
    // The Delete key in the list removes like the button does.
    list()->SetSelection(2);
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = WXK_DELETE;
    key.SetEventObject(list());
    list()->ProcessWindowEvent(key);
    ASSERT_EQ(list()->GetCount(), 2u);
    EXPECT_EQ(list()->GetSelection(), 1) << "the new last entry";
    UiTest::click(dialog, MainId::removeFile);
    UiTest::click(dialog, MainId::removeFile);
    EXPECT_EQ(list()->GetCount(), 0u);
    EXPECT_EQ(list()->GetSelection(), wxNOT_FOUND);
    // Other keys are left to the list.
    list()->Append("/z");
    list()->SetSelection(0);
    key.m_keyCode = 'X';
    list()->ProcessWindowEvent(key);
    EXPECT_EQ(list()->GetCount(), 1u);
}

TEST_F(GuiConvert, ThreeFilesIntoARelativeFolderBelowTheStartFolder) {
    drop({file("x.bin", 5000), file("y.dat", 1), file("z", 4097)});
    setText(MainId::outputFile, "data");
    setText(MainId::outputFolder, "gen/sub/");
    UiTest::pumpEvents();
    UiTest::click(dialog, MainId::convert);
    ASSERT_TRUE(waitIdle());
    fs::path out = folder.path() / "gen" / "sub";
    std::string source = testfiles::readFile(out / "data.cpp");
    for (const char* name : {"g_x_bin_array[", "g_y_dat_array[", "g_z_array["})
        EXPECT_EQ(count(source, name), 1) << name;
    EXPECT_TRUE(fs::exists(out / "data.h"));
    // The edits show the corrected name and the absolute folder.
    EXPECT_EQ(text(MainId::outputFile), "data.cpp");
    EXPECT_EQ(text(MainId::outputFolder), (out / "").string());
    EXPECT_EQ(bar(MainId::fileBar), 0);
    EXPECT_EQ(bar(MainId::totalBar), 0);
}

TEST_F(GuiConvert, StopDuringALongRunReturnsToIdle) {
    fs::create_directories(folder.path() / "out");
    testfiles::writeFile(folder.path() / "out" / "arrays.cpp", "previous");
    drop({bigFile()});
    UiTest::click(dialog, MainId::convert);
    UiTest::pumpEvents();
    EXPECT_TRUE(dialog->busy);
    EXPECT_TRUE(enabled(MainId::stop));
    EXPECT_FALSE(enabled(MainId::convert));
    ASSERT_TRUE(UiTest::waitUntil([&] { return text(MainId::fileLabel) == "big.bin"; }, 30s));
    UiTest::click(dialog, MainId::stop);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(bar(MainId::fileBar), 0);
    EXPECT_EQ(bar(MainId::totalBar), 0);
    EXPECT_EQ(text(MainId::fileLabel), "Stopped") << "a stop says so";
    EXPECT_TRUE(enabled(MainId::convert));
    EXPECT_TRUE(enabled(MainId::close));
    EXPECT_FALSE(enabled(MainId::stop));
    // The only input was cut short: the previous file stays as it was.
    EXPECT_EQ(testfiles::readFile(folder.path() / "out" / "arrays.cpp"), "previous");
    EXPECT_EQ(testfiles::temporariesIn(folder.path() / "out"), std::vector<std::string>{});
}

TEST_F(GuiConvert, ClosingDuringARunExitsPromptlyWith1039) {
    fs::create_directories(folder.path() / "out");
    testfiles::writeFile(folder.path() / "out" / "arrays.cpp", "previous");
    drop({bigFile()});
    UiTest::click(dialog, MainId::convert);
    ASSERT_TRUE(UiTest::waitUntil([&] { return text(MainId::fileLabel) == "big.bin"; }, 30s));
    auto begin = std::chrono::steady_clock::now();
    UiTest::click(dialog, MainId::close);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, 20s); // a hang, not a speed
    EXPECT_EQ(static_cast<ZnApp*>(wxTheApp)->exitCode(), 1039);
    EXPECT_TRUE(wxTheApp->IsScheduledForDestruction(dialog));
    dialog = nullptr; // destroyed by the close
    UiTest::pumpEvents();
    EXPECT_EQ(testfiles::readFile(folder.path() / "out" / "arrays.cpp"), "previous");
    EXPECT_EQ(testfiles::temporariesIn(folder.path() / "out"), std::vector<std::string>{});
}

TEST_F(GuiConvert, FolderThatCannotBeMadeLeavesTheDialogIdle) {
    drop({file("a.bin", 10)});
    testfiles::writeFile(folder.path() / "blocker", "a file where a folder should be");
    setText(MainId::outputFile, "data");
    setText(MainId::outputFolder, "blocker/sub/");
    UiTest::pumpEvents();
    UiTest::click(dialog, MainId::convert);
    UiTest::pumpEvents();
    EXPECT_FALSE(dialog->busy);
    auto* edit = static_cast<wxTextCtrl*>(dialog->FindWindow(MainId::outputFolder));
    EXPECT_EQ(wxWindow::FindFocus(), edit);
    long from = -1, to = -1;
    edit->GetSelection(&from, &to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, edit->GetLastPosition());
    // Both edits keep what was typed; nothing was written.
    EXPECT_EQ(text(MainId::outputFolder), "blocker/sub/");
    EXPECT_EQ(text(MainId::outputFile), "data");
    EXPECT_TRUE(enabled(MainId::convert));
    EXPECT_FALSE(fs::exists(folder.path() / "blocker" / "sub"));
}

TEST_F(GuiConvert, FailedInputsAreSummedUpInTheLabel) {
    loadEnglish();
    fs::path gone = file("gone.bin", 10);
    drop({file("good.bin", 10), gone, file("empty.bin", 0)});
    fs::remove(gone);
    UiTest::click(dialog, MainId::convert);
    ASSERT_TRUE(waitIdle());
    EXPECT_NE(text(MainId::fileLabel).find("(gone.bin). Could not convert 2 of the input files"),
              std::string::npos)
        << text(MainId::fileLabel);
    // The next run starts with the plain label again and ends with it when all went well.
    list()->SetSelection(1);
    UiTest::click(dialog, MainId::removeFile);
    UiTest::click(dialog, MainId::removeFile);
    UiTest::click(dialog, MainId::convert);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(text(MainId::fileLabel), "...");
}

namespace {

void loadEnglish() {
    ZnLanguage& language = ZnLanguage::instance();
    language.setLanguageFolder(Zenlo::fromPath(fs::path(HEXMOOR_SOURCE_DIR) / "lang"));
    language.scanLanguages();
    ASSERT_TRUE(language.selectLanguage(u"English"));
}

} // namespace

TEST_F(GuiConvert, AddFilesDialogUsesItsKeysAndCancelChangesNothing) {
    loadEnglish();
    list()->Append("/kept");
    UiTest::DialogAnswer<wxFileDialog> answer([&](wxFileDialog& files) {
        EXPECT_EQ(files.GetMessage(), "Add input files");
        EXPECT_TRUE(files.GetWildcard().StartsWith("All files (*.*)|"));
        EXPECT_TRUE(files.HasFlag(wxFD_MULTIPLE));
        return wxID_CANCEL;
    });
    UiTest::click(dialog, MainId::addFiles);
    EXPECT_EQ(answer.answered, 1);
    ASSERT_EQ(list()->GetCount(), 1u);
    EXPECT_EQ(list()->GetString(0), "/kept");
}

// The native dialogs hand back no path unless a user chose one: the tests answer them with
// Cancel after looking at their setup, then give the dialog what a choice would.
TEST_F(GuiConvert, BrowsingForTheOutputFileSplitsNameAndFolder) {
    loadEnglish();
    setText(MainId::outputFile, "kept.c");
    UiTest::pumpEvents();
    UiTest::DialogAnswer<wxFileDialog> answer([&](wxFileDialog& files) {
        EXPECT_EQ(files.GetMessage(), "Choose the output file");
        EXPECT_EQ(
            files.GetWildcard(),
            "C and C++ source files (*.c; *.cpp; *.cc; *.c++)|*.c;*.cpp;*.cc;*.c++|"
            "C source files (*.c)|*.c|C++ source files (*.cpp; *.cc; *.c++)|*.cpp;*.cc;*.c++");
        EXPECT_TRUE(files.HasFlag(wxFD_SAVE)) << "a file that does not exist yet can be named";
        // The name chosen is not always the file written (its extension may be corrected), so
        // the dialog asks no overwrite question about it.
        EXPECT_FALSE(files.HasFlag(wxFD_OVERWRITE_PROMPT));
        return wxID_CANCEL;
    });
    UiTest::click(dialog, MainId::browseFile);
    EXPECT_EQ(answer.answered, 1);
    EXPECT_EQ(text(MainId::outputFile), "kept.c");
    fs::path chosen = folder.path() / "gen" / "table.c";
    dialog->useChosenOutputFile(Zenlo::fromPath(chosen));
    EXPECT_EQ(text(MainId::outputFile), "table.c");
    EXPECT_EQ(text(MainId::outputFolder), (chosen.parent_path() / "").string());
}

TEST_F(GuiConvert, BrowsingForTheOutputFolderAddsTheSeparator) {
    UiTest::DialogAnswer<wxDirDialog> answer([&](wxDirDialog&) { return wxID_CANCEL; });
    UiTest::click(dialog, MainId::browseFolder);
    EXPECT_EQ(answer.answered, 1);
#ifdef _WIN32
    const std::string separator = "\\", root = "C:\\";
#else
    const std::string separator = "/", root = "/";
#endif
    EXPECT_EQ(text(MainId::outputFolder), "out" + separator);
    dialog->useChosenOutputFolder(Zenlo::fromPath(folder.path() / "chosen"));
    EXPECT_EQ(text(MainId::outputFolder), (folder.path() / "chosen" / "").string());
    // A drive's or the file system's root already ends in the separator.
    dialog->useChosenOutputFolder(Zenlo::fromPath(root));
    EXPECT_EQ(text(MainId::outputFolder), root);
}
