// The cursor a user sees while dragging on the panel with a real mouse: the
// hook library tracks the gesture, the panel picks the cursor for the place.
#include "HostedApp.h"

using namespace velktest;

using DragCursor = HostedApp;

namespace {
HCURSOR Shown() {
    CURSORINFO info = {sizeof info};
    GetCursorInfo(&info);
    return info.hCursor;
}

bool CursorIs(POINT p) {
    POINT now = {};
    return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
}
}  // namespace

// The hook's drag state changes before the panel is asked for the cursor,
// and neighbouring places want different cursors, so that each check sees
// the move that it waits for. Where each drag ends, on its own cell or tab
// or from an empty cell, nothing changes.
TEST_F(DragCursor, SaysWhatADropWouldDoAtEachPlace) {
    MakeSets({"A B - D", "full", "X"});
    RECT editor = {};
    GetWindowRect(app->nameEdit, &editor);
    POINT onEditor = {(editor.left + editor.right) / 2, (editor.top + editor.bottom) / 2};
    ScreenToClient(app->panel, &onEditor);
    auto cursor = [&](int id) { return LoadCursorA(app->instance, MAKEINTRESOURCEA(id)); };
    const HCURSOR put = cursor(IDC_DRAG_PUT), insert = cursor(IDC_DRAG_INSERT),
                  into = cursor(IDC_DRAG_INTO_SET), no = cursor(IDC_DRAG_NO),
                  arrow = LoadCursorA(nullptr, IDC_ARROW);
    struct Place {
        POINT at;
        HCURSOR shown;
    };
    struct Drag {
        const char* what;
        POINT press;
        std::vector<Place> places;  // the last is where it is released
        bool itemDialog;            // open
    };
    // An item goes between tabs (216, 20), onto a full set's tab (1), the pin (20, 20), the new-set
    // button (43, 20), the name editor and out of the panel (300, 100).
    // clang-format off
    const Drag drags[] = {
        {"an item", Cell(3), {{Cell(1), put}, {Gap(3), insert}, {Cell(2), put}, {{216, 20}, no}, {Tab(2), put},
            {Tab(1), no}, {{130, 30}, into}, {{20, 20}, no}, {Cell(1), put}, {{43, 20}, no}, {Cell(0), put},
            {onEditor, no}, {{300, 100}, into}, {Cell(3), put}}, false},
        {"a set", Tab(0), {{Tab(2), put}, {{216, 20}, insert}, {{300, 100}, no}, {Tab(0), put}}, false},
        {"an empty cell", Cell(4), {{Cell(1), arrow}, {Cell(4), arrow}}, false},
        {"an item beside its dialog", Cell(0), {{Cell(2), no}, {Cell(0), no}}, true},
    };
    // clang-format on
    for (const Drag& drag : drags) {
        if (drag.itemDialog) Command(IDM_ITEM_DIALOG);
        CursorAt(drag.press);
        Button(MOUSEEVENTF_LEFTDOWN);
        for (const Place& place : drag.places) {
            const POINT at = OnScreen(app->panel, place.at);
            // Wine may drop a move to where it believes the cursor already is.
            SetCursorPos(at.x + 1, at.y);
            WaitFor([&] { return CursorIs(POINT{at.x + 1, at.y}); }, 1000);
            SetCursorPos(at.x, at.y);
            EXPECT_TRUE(WaitFor([&] { return CursorIs(at) && IsDragging() && Shown() == place.shown; }, 2000))
                << drag.what << " at " << place.at.x << "," << place.at.y;
        }
        Button(MOUSEEVENTF_LEFTUP);
        // The hook may see the release one input event late.
        CursorAt(POINT{drag.places.back().at.x + 1, drag.places.back().at.y});
        if (drag.itemDialog) Command(IDM_ITEM_DIALOG);
    }
    EXPECT_EQ("Set0[A B - D] Set1[full] Set2[X] @0", State());
}
