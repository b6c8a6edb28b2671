// Design unit: UnitPaint (title, story, opponent view).
// The three simple screens. The title is one picture, "dat\\title.bmp",
// loaded straight into the screen layer; it has no region, since any
// left click on it starts the game. The story screen is a picture area over a
// text box with a "close" button: the story runner fills it a page at a time
// through ClearStoryPicture, ShowStoryPicture and ShowStoryText. The opponent
// view shows one entrant's portrait, its panel with the history of its
// battles and its flavour text, scrolled by the pointer; a click anywhere on
// it closes it.
//
// The click handlers that are flow operations (closing the story, the next
// page, closing the view) are passed in: screens never call the flow.
#pragma once

#include <string_view>

#include "game/Game.h"
#include "paint/Sensor.h"
#include "rules/SjisText.h"
#include "rules/Sword.h"

// "dat\\title.bmp", 600 x 450.
extern const char* const TitlePictureFile;

// The title screen: the picture, for the caller to present. A picture that is missing,
// unreadable or not 600 x 450 is an internal error naming the file. It has
// no regions: the main window takes its click.
void PaintTitle(TScreens& s);

// The story screen: the picture area black with the "close" button and the
// text box empty. Its two regions: "close" (highlighted under the pointer,
// CloseStory), then the whole screen (NextPage). It does not present: the
// story runner presents once the first page is shown.
THitTable PaintStory(TScreens& s);

// The picture area becomes black, with the "close" button.
void ClearStoryPicture(TScreens& s);
// The picture at the program path is drawn at the top-left corner of the
// picture area, cut to 600 x 300 and never scaled, over what the area held;
// the "close" button is drawn again over it.
void ShowStoryPicture(TScreens& s, std::string_view programPath);
// A page of at most 7 lines replaces the text box's page; more is an internal
// error. No lines leave the box empty.
void ShowStoryText(TScreens& s, const TStringDynArray& lines);
// The "close" button on the base layer: grey, "close" centred.
void DrawCloseButton(TScreens& s);

// The opponent view of `viewed`: portrait, panel with its history lines and
// flavour text scrolled by the pointer, for the caller to present. Its regions: the flavour
// strip, then the whole screen; every click on them is CloseView.
THitTable PaintOpponent(TScreens& s, const TGame& g, const TSwordia& viewed);
