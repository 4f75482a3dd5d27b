#pragma once

// The lines the plugin logs while installing wallpaper, in one place: the plugin writes them
// and lumeva-check predicts them from the same texts.
constexpr const char* NoWallpaperRootMessage =
    "The folder <OSTREVAL>/Data/mainmenuwallpapers has no wallpaper in it or is not present itself !";
constexpr const char* EmptySetMessage = "The folder %s has no wallpaper in it !";
constexpr const char* FileCopyErrorMessage = "Error in file copy from %s to %s - %d";
constexpr const char* FolderNotListedMessage = "Error in copyDirectory.findFirstFile - %d";
constexpr const char* ListingEndedEarlyMessage = "Error in file copy - %d";
constexpr const char* InstallationBusyMessage =
    "Another start of the game is still installing wallpaper after %d second(s), so this start installs none";
