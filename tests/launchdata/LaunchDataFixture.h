// What start-up hands the data file reader: fresh settings, a history of 16
// and a set list of 3 with the default item icon, in a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DataFileBytes.h"
#include "TestSupport.h"
#include "hooklib/Wendrix.h"
#include "launchdata/CommandHistory.h"
#include "launchdata/LaunchSetList.h"
#include "launchdata/Settings.h"
#include "panel/PinButton.h"
#include "resources/resource.h"

namespace velktest {

struct LaunchData {
    LaunchData() {
        sets.Resize(3);
        sets.iconSource.SetDefaultIcon(
            LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_DEFAULT_ITEM)));
        history.Init(16);
    }
    bool Load(const std::string& path) { return settings.Load(path.c_str(), &history, &sets); }
    bool Save(const std::string& path, int pinned, uint8_t hookKey) {
        pin.SetState(pinned);
        return settings.Save(path.c_str(), &history, &sets, pin.state, hookKey);
    }

    Settings settings;
    CommandHistory history;
    LaunchSetList sets;
    PinButton pin;
};

class DataFileTest : public ::testing::Test {
protected:
    std::string DataPath() const { return folder.File("QXDATA.dat"); }
    std::string AsidePath() const { return folder.File("QXDATA.dat.bak"); }
    // What a save writes first, beside the data file.
    std::string TempPath() const { return folder.File("QXDATA.tmp"); }

    TempFolder folder;
};

}  // namespace velktest
