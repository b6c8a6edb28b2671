// Design unit: UnitStory (the game's side).
// The story as the game tells it: the game's story script, set up by whoever
// makes the game (the main window for each game it makes), and the story
// screen's handlers. Entering the story mode jumps the script to the piece of
// the current stage ("@Stage" + Stage), shows the story screen and the first
// page; a click turns the page; "close" ends the piece at once, wherever it
// stands. The script's "#Image" and the pages reach the game's view through
// the game's story view (TGameStoryView); its "#Title" and its sounds are
// asked for as effects (a caption, a cue). Without a story set up every piece
// is an empty page that "close" ends.
#pragma once

#include <cstdint>

#include "game/Game.h"
#include "rules/SjisText.h"
#include "script/Story.h"

// Makes the story script, loads "dat\\story.txt" (a missing or faulty file
// leaves an empty script: every piece is an empty page) and registers its
// commands. "#Title" asks for the window's caption.
void InitStory(TGame& g);
// Frees the story script; the story handlers do nothing afterwards.
void FreeStory(TGame& g);
// The game's story script (tests and the lab look at it). Only valid between
// InitStory and FreeStory.
TStory& GameStory(TGame& g);

// The story mode's entry: the piece of the current stage, the story screen,
// its first page.
void EnterStory(TGame& g);
// The next page of the piece, presented. After the piece's "#stop" nothing
// changes.
void NextParagraph(TGame& g, std::int32_t tag);
// "close": the script is readied for the next piece, and the piece ends.
void CloseStory(TGame& g, std::int32_t tag);
