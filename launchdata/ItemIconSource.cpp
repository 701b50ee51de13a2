// Icons for launch items.
#include "launchdata/ItemIconSource.h"

void ItemIconSource::SetDefaultIcon(HICON icon) { defaultIcon_.reset(icon ? CopyIcon(icon) : nullptr); }
