// The button that opens the launch set dialog for a new set.
#pragma once

#include "panel/ToggleButton.h"

class NewSetButton : public ToggleButton {};
