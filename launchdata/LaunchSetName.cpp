// Launch set names.
#include "launchdata/LaunchSetName.h"

#include "base/TextCut.h"

void LaunchSetName::Set(const char* text) {
    text_ = CutText(text ? text : "", kLimit);
}
