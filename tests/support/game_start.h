#pragma once

#include "support/child_process.h"

// One game start in the current folder: the stand-in host loads the built plugin DLL,
// as the game's host does, in a process of its own.
ProcessResult startGame();
