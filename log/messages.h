#pragma once

namespace lumeva {

// Every line the plugin logs, in one place: the plugin writes them, lumeva-check predicts
// them from the same texts, and the release test finds each one explained in the user guide.
constexpr const char* NoWallpaperRootMessage =
    "The folder <OSTREVAL>/Data/mainmenuwallpapers has no wallpaper in it or is not present itself !";
constexpr const char* EmptySetMessage = "The folder %s has no wallpaper in it !";
constexpr const char* FileCopyErrorMessage = "Error in file copy from %s to %s - %d";
constexpr const char* FolderNotListedMessage = "Error in copyDirectory.findFirstFile - %d";
constexpr const char* ListingEndedEarlyMessage = "Error in file copy - %d";
constexpr const char* InstallationBusyMessage =
    "Another start of the game is still installing wallpaper after %d second(s), so this start installs none";

// The handshake's refusals.
constexpr const char* NoDescriptorMessage = "host passed no plugin descriptor, marking as incompatible";
constexpr const char* NoHostRecordMessage = "host passed no interface record, marking as incompatible";
constexpr const char* NoPluginHandleMessage = "host offers no plugin handle, marking as incompatible";
constexpr const char* EditorMessage = "loaded in editor, marking as incompatible";
constexpr const char* NoScaleformMessage = "couldn't get scaleform interface";
constexpr const char* ScaleformTooOldMessage = "scaleform interface too old (%d expected %d)";

// An exception stopped by an export's guard, with and without what it says.
constexpr const char* UnexpectedErrorMessage = "%s stopped by an unexpected error: %s";
constexpr const char* UnexpectedThrowMessage = "%s stopped by an unexpected error";

// The log file, and how many numbered names it falls back to when the file is taken:
// korvex_lumeva_plugin.log0 to korvex_lumeva_plugin.log4.
constexpr const char* PluginLogName = "korvex_lumeva_plugin.log";
constexpr int FallbackLogNameCount = 5;

}  // namespace lumeva
