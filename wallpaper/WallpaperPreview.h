// The wallpaper dialog's preview picture.
#pragma once

#include "app/BaseObject.h"

class WallpaperPreview : public BaseObject {};
