// The wallpaper dialog's preview picture.
#pragma once

#include "app/BaseObject.h"
#include "wallpaper/BitmapFile.h"
#include "wallpaper/ImageScaler.h"
#include "wallpaper/PixelBlender.h"

class WallpaperPreview : public ImageScaler, public BitmapFile, public PixelBlender, public BaseObject {};
