// What the main dialog tells the user: failed runs, stops and refused output fields, in the
// label and its tip, in two languages and after a switch; the output folder typed without its
// closing separator and a file name that holds one.
#include "app/MainDlg.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <wx/app.h>
#include <wx/choice.h>
#include <wx/dnd.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>

#include "UiTestSupport.h"
#include "app/MainDlgIds.h"
#include "i18n/Language.h"
#include "toolkit/FileSystem.h"
#include "toolkit/TextEncoding.h"
#include "toolkit/wx/WxText.h"

// After the wx headers: on Windows it brings in <windows.h>, which must follow wx's own (wx/app.h
// includes it and takes back the macros that rename FindWindow and the like).
#include "support/TestSupport.h"

using namespace Zenlo;

namespace fs = std::filesystem;

namespace {

class GuiReport : public testing::Test {
protected:
    void SetUp() override {
        fs::copy(fs::path(HEXMOOR_SOURCE_DIR) / "lang", folder.path() / "lang");
        ASSERT_TRUE(dialog = UiTest::openMainDialog());
        ASSERT_EQ(dialog->languageName.toUtf8().c_str(), std::string("English"));
    }
    void TearDown() override { UiTest::closeWindow(dialog); }
    fs::path file(const std::string& name, std::size_t size) {
        fs::path path = folder.path() / "in" / name;
        testfiles::writeFile(path, std::string(size, 'x'));
        return path;
    }
    void drop(std::initializer_list<fs::path> paths) {
        wxArrayString names;
        for (const fs::path& path : paths)
            names.Add(wxString::FromUTF8(path.string()));
        static_cast<wxFileDropTarget*>(dialog->GetDropTarget())->OnDropFiles(0, 0, names);
        UiTest::pumpEvents();
    }
    void convert() {
        UiTest::click(dialog, MainId::convert);
        ASSERT_TRUE(UiTest::waitUntil([&] { return dialog->busy == 0; }));
        UiTest::pumpEvents();
    }
    void choose(const char* language) {
        UiTest::chooseLanguage(dialog, language);
        UiTest::pumpEvents();
    }
    void setText(int id, const std::string& text) {
        static_cast<wxTextCtrl*>(dialog->FindWindow(id))->SetValue(wxString::FromUTF8(text));
        UiTest::pumpEvents();
    }
    std::string text(int id) {
        wxWindow* control = dialog->FindWindow(id);
        if (auto* edit = dynamic_cast<wxTextCtrl*>(control)) return edit->GetValue().utf8_string();
        return static_cast<wxStaticText*>(control)->GetLabelText().utf8_string();
    }
    std::string tip() {
        wxToolTip* tip = dialog->FindWindow(MainId::fileLabel)->GetToolTip();
        return tip ? tip->GetTip().utf8_string() : std::string();
    }
    // True when the edit has the focus and its whole text selected.
    bool refused(int id) {
        auto* edit = static_cast<wxTextCtrl*>(dialog->FindWindow(id));
        long from = -1, to = -1;
        edit->GetSelection(&from, &to);
        return wxWindow::FindFocus() == edit && from == 0 && to == edit->GetLastPosition();
    }

    testfiles::TestFolder folder;
    testfiles::CurrentFolderChange current{folder.path()};
    CMainDlg* dialog = nullptr;
};

} // namespace

TEST_F(GuiReport, AFailedRunNamesItsFirstInputAndListsEveryFailure) {
    fs::path gone = file("gone.bin", 10);
    drop({file("good.bin", 10), gone, file("empty.bin", 0)});
    fs::remove(gone);
    convert();
    const std::string missing = Zenlo::systemErrorText(testfiles::missingFileError);
    const std::string english =
        "cannot read the input: " + missing + " (gone.bin). Could not convert 2 of the input files";
    EXPECT_EQ(text(MainId::fileLabel), english);
    EXPECT_NE(tip().find(gone.string() + ": cannot read the input"), std::string::npos) << tip();
    EXPECT_NE(tip().find("empty.bin: the input is empty"), std::string::npos) << tip();
    // Composed from keys: it follows a switch, and back.
    choose("Deutsch");
    EXPECT_EQ(text(MainId::fileLabel), "die Eingabe ist nicht lesbar: " + missing +
                                           " (gone.bin). Nicht konvertierte Dateien: 2");
    EXPECT_NE(tip().find("empty.bin: die Eingabe ist leer"), std::string::npos) << tip();
    choose("English");
    EXPECT_EQ(text(MainId::fileLabel), english);
    // The next action ends the report.
    UiTest::click(dialog, MainId::clearList);
    EXPECT_EQ(text(MainId::fileLabel), "...");
    EXPECT_EQ(tip(), "");
}

TEST_F(GuiReport, AStopSaysSoUntilTheNextAction) {
    fs::path big = folder.path() / "in" / "big.bin";
    testfiles::writeFile(big, "");
    fs::resize_file(big, std::uintmax_t{1} << 32);
    drop({big});
    UiTest::click(dialog, MainId::convert);
    ASSERT_TRUE(UiTest::waitUntil([&] { return text(MainId::fileLabel) == "big.bin"; }));
    UiTest::click(dialog, MainId::stop);
    ASSERT_TRUE(UiTest::waitUntil([&] { return dialog->busy == 0; }));
    UiTest::pumpEvents();
    EXPECT_EQ(text(MainId::fileLabel), "Stopped");
    choose("Deutsch");
    EXPECT_EQ(text(MainId::fileLabel), "Angehalten");
    // An input name shown during a run is data, never translated.
    auto* label = static_cast<wxStaticText*>(dialog->FindWindow(MainId::fileLabel));
    UiTest::click(dialog, MainId::separateFiles);
    EXPECT_EQ(text(MainId::fileLabel), "...");
    label->SetLabelText("212 input.bin");
    choose("English");
    EXPECT_EQ(text(MainId::fileLabel), "212 input.bin");
}

TEST_F(GuiReport, AFolderTypedWithoutItsSeparatorIsThatFolder) {
    drop({file("a.bin", 3)});
    struct Case {
        std::string typed;
        fs::path folder;
    };
    const Case cases[] = {
        {"gen", folder.path() / "gen"},
        {"deep/er", folder.path() / "deep" / "er"},
        {(folder.path() / "abs" / "src").string(), folder.path() / "abs" / "src"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        setText(MainId::outputFolder, c.typed);
        convert();
        EXPECT_TRUE(fs::exists(c.folder / "arrays.cpp"));
        EXPECT_EQ(text(MainId::outputFolder), (c.folder / "").string());
    }
    EXPECT_FALSE(fs::exists(folder.path() / "arrays.cpp")) << "nothing in the start folder";
    EXPECT_FALSE(fs::exists(folder.path() / "abs" / "arrays.cpp")) << "nor in the parent";
}

TEST_F(GuiReport, AFileNameWithASeparatorIsRefused) {
    drop({file("a.bin", 3)});
    setText(MainId::outputFolder, "out/");
    for (const char* name : {"../escape.cpp", "sub/x.c", "/tmp/abs.c"}) {
        SCOPED_TRACE(name);
        setText(MainId::outputFile, name);
        UiTest::click(dialog, MainId::convert);
        UiTest::pumpEvents();
        EXPECT_FALSE(dialog->busy);
        EXPECT_TRUE(refused(MainId::outputFile));
        EXPECT_EQ(text(MainId::outputFile), name) << "the edit keeps what was typed";
        EXPECT_EQ(text(MainId::fileLabel), "The output file name must not contain a folder");
    }
    EXPECT_FALSE(fs::exists(folder.path() / "escape.cpp"));
    EXPECT_FALSE(fs::exists(folder.path() / "out")) << "nothing is made for a refused run";
    choose("Deutsch");
    EXPECT_EQ(text(MainId::fileLabel), "Der Name der Ausgabedatei darf keinen Ordner enthalten");
}

TEST_F(GuiReport, AFolderThatCannotBeMadeSaysWhy) {
    drop({file("a.bin", 3)});
    testfiles::writeFile(folder.path() / "blocker", "a file where a folder should be");
    setText(MainId::outputFolder, "blocker/sub");
    UiTest::click(dialog, MainId::convert);
    UiTest::pumpEvents();
    EXPECT_FALSE(dialog->busy);
    EXPECT_TRUE(refused(MainId::outputFolder));
    const std::string said = text(MainId::fileLabel);
    const std::string start = "Cannot create the output folder: ";
    ASSERT_EQ(said.rfind(start, 0), 0u) << said;
    EXPECT_GT(said.size(), start.size()) << "the system's reason follows";
}

// A clash as the engine reports it, through the real run: the report names both inputs and the
// variable name, in the language shown.
TEST_F(GuiReport, AReportedClashNamesBothInputsAndTheName) {
    fs::path dotted = file("a.b", 3);
    const Zenlo::WideString other = Zenlo::fromPath(folder.path() / "in" / "a_b");
    auto subscription = dialog->converter.totalBytes.subscribe([&](std::uint64_t) {
        ZnInputFailure clash;
        clash.path = Zenlo::fromPath(dotted);
        clash.kind = ZnFailureKind::NameClash;
        clash.otherPath = other;
        clash.name = u"g_a_b_array";
        dialog->converter.inputFailed(clash);
    });
    drop({dotted});
    convert();
    subscription.disconnect();
    EXPECT_EQ(text(MainId::fileLabel),
              "the variable name g_a_b_array is also made from " +
                  testfiles::narrow(Zenlo::shortenedPath(other, Zenlo::shownPathLength)) +
                  " (a.b). Could not convert 1 of the input files");
    EXPECT_NE(tip().find(dotted.string() + ": the variable name g_a_b_array"), std::string::npos)
        << tip();
    choose("Deutsch");
    EXPECT_NE(text(MainId::fileLabel).find("der Variablenname g_a_b_array entsteht auch aus"),
              std::string::npos)
        << text(MainId::fileLabel);
}

// Two inputs whose names give one variable name: the checked run refuses before writing, and
// the window says which inputs clash, in the language shown.
TEST_F(GuiReport, AClashRefusesTheRunWithAVisibleReport) {
    fs::path dotted = file("a.b", 3), underscored = file("a_b", 4);
    drop({dotted, underscored});
    convert();
    EXPECT_FALSE(fs::exists(folder.path() / "out" / "arrays.cpp")) << "nothing is written";
    const std::string said = text(MainId::fileLabel);
    EXPECT_EQ(said.rfind("the variable name", 0), 0u) << said;
    EXPECT_NE(said.find("Could not convert 2 of"), std::string::npos) << "both inputs: " << said;
    EXPECT_NE(tip().find("a.b"), std::string::npos) << tip();
    EXPECT_NE(tip().find("a_b"), std::string::npos) << tip();
    choose("Deutsch");
    EXPECT_NE(text(MainId::fileLabel).find("der Variablenname"), std::string::npos)
        << text(MainId::fileLabel);
}
