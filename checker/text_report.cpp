#include <cstdio>

#include "checker/check_report.h"
#include "log/log_text.h"
#include "log/messages.h"
#include "wallpaper/wallpaper_sets.h"

namespace lumeva {

namespace {

const char* const LayoutAdvice =
    "Create one folder per wallpaper set in Data\\mainmenuwallpapers, laid out like the Data\n"
    "folder (for example Data\\mainmenuwallpapers\\autumn\\interface\\... for files that replace\n"
    "Data\\interface\\...), or like the game folder with a first subfolder named data.\n";

void reportNoSet(const CheckReport& report) {
    if (!report.rootExists) {
        std::printf("There is no folder Data\\mainmenuwallpapers in this game folder.\n");
    } else {
        std::printf(
            "The folder Data\\mainmenuwallpapers holds no wallpaper set: it has no subfolder\n"
            "whose name does not begin with a dot.\n");
    }
    std::printf("At the next start the plugin installs nothing and logs:\n  %s\n", NoWallpaperRootMessage);
    static_cast<void>(std::fputs(LayoutAdvice, stdout));
}

void reportNonSets(const CheckReport& report) {
    for (const auto& entry : report.nonSets) {
        std::printf("not a set: %s (%s)\n", entry.name.c_str(), entry.reason.c_str());
    }
}

void reportSet(std::size_t index, const SetInspection& set) {
    std::printf("[%u] %s\n", static_cast<unsigned>(index), set.name.c_str());
    if (set.firstSubfolder.empty()) {
        std::printf("    problem: it has no subfolder, so the plugin copies nothing and logs:\n      %s\n",
                    set.predictedLogLine().c_str());
    } else {
        std::printf("    copied onto the %s (%s), because its first subfolder is %s\n",
                    set.mirrorsGameFolder ? "game folder" : "Data folder", set.destination.c_str(),
                    set.firstSubfolder.c_str());
        std::printf("    %d file(s), %llu byte(s)\n", set.fileCount, static_cast<unsigned long long>(set.byteCount));
    }
    for (const auto& missing : set.missingFolders) {
        std::printf("    problem: the folder %s does not exist, so %s", missing.folder.c_str(),
                    missing.firstFile.c_str());
        if (missing.fileCount > 1) {
            std::printf(" and %d more file(s)", missing.fileCount - 1);
        }
        std::printf(" cannot be copied there (the plugin creates no folders; create it first)\n");
    }
    for (const auto& failure : set.failures) {
        if (!failure.text.empty()) {
            std::printf("    problem: %s\n", failure.text.c_str());
        }
    }
    if (!set.failures.empty()) {
        std::printf("    the plugin stops at the first of these, at %s, and logs:\n      %s\n",
                    set.failures.front().file.c_str(), set.failures.front().logLine.c_str());
    }
    for (const auto& warning : set.warnings) {
        std::printf("    warning: %s\n", warning.c_str());
    }
    for (const auto& skipped : set.skipped) {
        std::printf("    skipped: %s\n", skipped.c_str());
    }
    if (set.installsCompletely()) {
        std::printf("    ok: it would install completely\n");
    }
}

}  // namespace

void printTextReport(const CheckReport& report) {
    std::printf("Game folder: %s\n", logText(report.gameFolder).c_str());
    if (report.sets.empty()) {
        reportNoSet(report);
        reportNonSets(report);
        return;
    }
    reportNonSets(report);
    std::printf("%u wallpaper set(s) in %s, in the order this platform lists them:\n",
                static_cast<unsigned>(report.sets.size()), logText(wallpaperRoot()).c_str());
    int incomplete = 0;
    for (std::size_t i = 0; i < report.sets.size(); ++i) {
        reportSet(i, report.sets[i]);
        incomplete += report.sets[i].installsCompletely() ? 0 : 1;
    }
    std::printf(
        "At second %lld the plugin would install [%u] %s; each set comes up once in every %u\n"
        "consecutive second(s), in the order above.\n",
        static_cast<long long>(report.second), static_cast<unsigned>(report.picked),
        report.sets[report.picked].name.c_str(), static_cast<unsigned>(report.sets.size()));
    if (incomplete == 0) {
        std::printf(report.everySetComplete() ? "Every set would install completely.\n"
                                              : "Every set would install completely, but see the warnings above.\n");
        return;
    }
    std::printf(
        "%d of %u set(s) would not install completely; the plugin stops at the first failure\n"
        "and leaves what it copied before it in place.\n",
        incomplete, static_cast<unsigned>(report.sets.size()));
}

}  // namespace lumeva
