#pragma once
// vnmachine ui picture WIN FILE.png: the window drawn as a person sees it, into a PNG file, from
// the tree its program describes (the frame and caption, every visible control with its texts,
// states, images and icons). Exit 1 when there is no such window or the file cannot be written.

#include "tools/vnmachine/Command.h"

#include <iosfwd>

int RunPicture(const Words& args, std::ostream& out, std::ostream& err);

// The command's --help details.
extern const char* const kPictureHelp;
