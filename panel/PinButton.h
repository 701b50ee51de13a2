// The auto-hide pin: state 1 means pinned (the panel stays up).
#pragma once

#include "panel/ToggleButton.h"

class PinButton : public ToggleButton {};
