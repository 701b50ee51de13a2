// What a dialog may ask of the program that owns it. The App answers; the
// dialogs know nothing else of it. What a dialog reads and changes (the
// launch sets, the settings, the wallpaper) it is given when it is made.
#pragma once

#include <windows.h>

class DialogHost {
public:
    // The module that holds the dialog templates and strings.
    virtual HINSTANCE Instance() const = 0;
    // The panel: the owner of every dialog.
    virtual HWND Owner() const = 0;
    // A modeless dialog has closed: the panel takes the focus back.
    virtual void DialogClosed() = 0;
    // The launch data or the wallpaper changed: the panel is repainted
    // completely and the data file written within a second.
    virtual void PanelChanged() = 0;
    // A setting that the panel does not show changed: the data file is
    // written within a second.
    virtual void SettingsChanged() = 0;
    // The item dialog waits for an icon (LaunchItemDialog::WantedIcon): it is
    // looked up off the panel's thread and handed to IconArrived.
    virtual void IconsWanted() = 0;

protected:
    ~DialogHost() = default;
};
