// One slot of the launch set list: the set's name and its item array, made
// and destroyed together. The slot is empty when both are absent.
#pragma once

#include <memory>

#include "launchdata/LaunchItemArray.h"
#include "launchdata/LaunchSetName.h"

struct LaunchSet {
    std::unique_ptr<LaunchSetName> name;
    std::unique_ptr<LaunchItemArray> items;

    bool Exists() const { return name != nullptr; }
};
