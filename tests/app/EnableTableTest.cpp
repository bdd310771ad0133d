// The enable table as a plain function: every row against the state it depends on.
#include "app/EnableTable.h"

#include <gtest/gtest.h>

#include "app/MainDlgIds.h"

using namespace Zenlo;

namespace {

ZnControlUpdate find(const ZnMainState& state, int id) {
    for (const ZnControlUpdate& update : mainDialogUpdates(state))
        if (update.id == id) return update;
    ADD_FAILURE() << "no row for " << id;
    return {id, false, -1};
}

} // namespace

TEST(EnableTable, RowsFollowTheUpdateOrder) {
    const auto updates = mainDialogUpdates(ZnMainState{});
    for (std::size_t i = 0; i < updates.size(); ++i)
        EXPECT_EQ(updates[i].id, mainUpdateIds[i]);
}

TEST(EnableTable, EachRowAgainstItsState) {
    struct Case {
        const char* name;
        ZnMainState state;
        int id;
        bool enabled;
    };
    ZnMainState empty;
    ZnMainState three{false, 1, 3, 0, 1, false};
    ZnMainState first{false, 0, 3, 0, 1, false};
    ZnMainState last{false, 2, 3, 0, 1, false};
    ZnMainState noName{false, -1, 1, 0, 1, true};
    ZnMainState separateNoName{false, -1, 1, 1, 1, true};
    ZnMainState busy{true, 1, 3, 0, 1, false};
    const Case cases[] = {
        {"empty: list", empty, MainId::fileList, true},
        {"empty: remove", empty, MainId::removeFile, false},
        {"empty: clear", empty, MainId::clearList, false},
        {"empty: convert", empty, MainId::convert, false},
        {"empty: stop", empty, MainId::stop, false},
        {"empty: close", empty, MainId::close, true},
        {"middle: up", three, MainId::moveUp, true},
        {"middle: down", three, MainId::moveDown, true},
        {"first: up", first, MainId::moveUp, false},
        {"last: down", last, MainId::moveDown, false},
        {"no selection: remove", noName, MainId::removeFile, false},
        {"no name: convert", noName, MainId::convert, false},
        {"separate, no name: convert", separateNoName, MainId::convert, true},
        {"separate: output file", separateNoName, MainId::outputFile, false},
        {"separate: browse file", separateNoName, MainId::browseFile, false},
        {"separate: folder", separateNoName, MainId::outputFolder, true},
        {"busy: stop", busy, MainId::stop, true},
        {"busy: convert", busy, MainId::convert, false},
        {"busy: close", busy, MainId::close, false},
        {"busy: setup", busy, MainId::variableSetup, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(find(c.state, c.id).enabled, c.enabled);
    }
}

TEST(EnableTable, CheckBoxesCarryTheirMembers) {
    ZnMainState state;
    state.separateFiles = true;
    state.writeHeader = false;
    EXPECT_EQ(find(state, MainId::separateFiles).check, 1);
    EXPECT_EQ(find(state, MainId::writeHeader).check, 0);
    EXPECT_EQ(find(state, MainId::convert).check, -1);
}
