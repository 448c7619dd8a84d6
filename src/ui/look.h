#pragma once

// How Quillard's windows look, in one place, by concern: where and how big
// they are (placement.h), the design's fonts (fonts.h), captions fitted to
// the font a machine really has (captions.h), and their colours
// (colours.h). Every window takes its look from these rather than making its
// own; a file that needs only one of them includes that one.

#include "ui/captions.h"
#include "ui/colours.h"
#include "ui/fonts.h"
#include "ui/placement.h"
