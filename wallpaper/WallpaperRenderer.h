// The panel's background picture and its back buffer.
#pragma once

#include "app/BaseObject.h"

class WallpaperRenderer : public BaseObject {};
