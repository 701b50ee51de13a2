// Where launch items get their icons: the file's own icon, or the default.
#pragma once

#include <windows.h>

#include "app/BaseObject.h"
#include "app/UniqueHandle.h"

class ItemIconSource : public BaseObject {
public:
    // Keeps its own copy of the icon.
    void SetDefaultIcon(HICON icon);
    HICON DefaultIcon() const { return defaultIcon_.get(); }

private:
    UniqueIcon defaultIcon_;
};
