#include "support/game_start.h"

#include "support/game_folder.h"

ProcessResult startGame() { return runProgram("\"" + besideProgram("korvex-host.exe") + "\""); }
