// The program's own name: the window's caption, the caption of its fault
// messages, and what the story's "#Title" without a text brings back.
#pragma once

// "Quillmoor"
inline constexpr const char* ProgramTitle = "Quillmoor";
