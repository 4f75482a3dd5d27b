#include <gtest/gtest.h>

#include <string>

#include "support/game_folder.h"
#include "support/game_start.h"

namespace {

using Names = std::vector<std::string>;

const std::string Root = "Data\\mainmenuwallpapers";

// A relative file path of exactly `length` characters, in folders of 100 characters at most.
std::string pathOfLength(std::size_t length) {
    std::string path;
    while (length - path.size() > 104) {
        path += std::string(99, 'd') + "\\";
    }
    return path + std::string(length - path.size() - 4, 'f') + ".txt";
}

std::string folderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }
std::string nameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// The absolute lengths of the set's file and of the game file it replaces; Windows' usual
// limit lets a path have 259 characters at most.
struct LengthCase {
    const char* label;
    std::size_t sourceLength;
    std::size_t destinationLength;
};

class PathLength : public ::testing::TestWithParam<LengthCase> {};

// Lays out <game>\Data\mainmenuwallpapers\<set>\interface\<file> and
// <game>\Data\interface\<file> with the case's lengths; returns the set and the file.
std::pair<std::string, std::string> layOut(const GameFolder& game, const LengthCase& c) {
    const std::size_t fileLength = c.destinationLength - game.path().size() - std::string("\\Data\\interface\\").size();
    const std::size_t setLength = c.sourceLength - c.destinationLength - std::string("mainmenuwallpapers\\\\").size();
    EXPECT_LE(setLength, 255u) << "the temporary game folder is too long for this case";
    const std::pair<std::string, std::string> layout(std::string(setLength, 's'), pathOfLength(fileLength));
    const std::string source = Root + "\\" + layout.first + "\\interface\\" + layout.second;
    EXPECT_EQ((game.path() + "\\" + source).size(), c.sourceLength);
    EXPECT_EQ((game.path() + "\\Data\\interface\\" + layout.second).size(), c.destinationLength);
    game.writeFile(source, "from the set");
    return layout;
}

TEST_P(PathLength, DoesNotStopAnInstallation) {
    GameFolder game;
    const auto [set, file] = layOut(game, GetParam());
    const std::string gameFile = "Data\\interface\\" + file;
    game.writeFile(gameFile, "original");
    const ProcessResult start = startGame();
    EXPECT_EQ(game.readFile(LogName), "") << start.output;
    EXPECT_EQ(game.readFile(gameFile), "from the set");
    EXPECT_EQ(platformOrder(game.path() + "\\" + folderOf(gameFile), false),
              Names{nameOf(file)});  // nothing left beside it
}

TEST_P(PathLength, IsShownRelativeInAFailureLine) {
    GameFolder game;
    const auto [set, file] = layOut(game, GetParam());
    game.makeFolder("Data\\elsewhere");  // Data\interface is missing
    startGame();
    EXPECT_EQ(game.readFile(LogName), logLine("Error in file copy from .\\Data\\mainmenuwallpapers\\" + set +
                                              "\\interface\\" + file + " to .\\Data\\interface\\" + file + " - 3"));
}

INSTANTIATE_TEST_SUITE_P(Lengths, PathLength,
                         ::testing::Values(LengthCase{"Source259", 259, 100}, LengthCase{"Source260", 260, 100},
                                           LengthCase{"Source261", 261, 100}, LengthCase{"SourceFarPast", 340, 100},
                                           LengthCase{"Destination259", 285, 259},
                                           LengthCase{"Destination260", 286, 260},
                                           LengthCase{"Destination261", 287, 261},
                                           LengthCase{"DestinationFarPast", 425, 400},
                                           LengthCase{"BothFarPast", 800, 700}),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
