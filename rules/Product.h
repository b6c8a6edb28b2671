// The program's own name: the window's caption, the caption of its fault
// messages, and what the story's "#Title" without a text brings back.
#pragma once

#include <string>
#include <string_view>

// "Quillmoor"
inline constexpr const char* ProgramTitle = "Quillmoor";

// The caption the window shows for `caption` (the program's title, or the
// story's "#Title"): as it is, and while every sound is off with a mark at
// its end that says so, since the player otherwise cannot tell a muted game
// from a quiet one. The caption is outside the picture, so no screen changes.
std::string WindowCaption(std::string_view caption, bool muted);
