// The desktop's date and number formats changing under a running program: the platform listens
// for the change (Qt's locale-change event, and the user's locale files that the desktop's
// region settings write) and broadcasts it to the main-window hooks as WM_SETTINGCHANGE.
#pragma once

#include "rtl/StrUtils.h"

namespace vt {

// Starts listening once; EnsureQtApplication calls it.
void ListenForDesktopLocaleChanges();

// The user's locale files watched: <config>/locale.conf and <config>/plasma-localerc, where
// <config> is $XDG_CONFIG_HOME or ~/.config (read when listening starts).
String DesktopLocaleConfigDir();

// Takes the LANG and LC_* settings of the user's locale files into the environment, re-reads
// the runtime library's formats (unless UpdateFormatSettings is off) and sends the setting change.
void DesktopLocaleChanged();

}  // namespace vt
