#include "tools/vnmachine/PictureCommand.h"

#include "tools/vnmachine/WindowPicture.h"
#include "tools/vnmachine/WindowTree.h"

#include <ostream>

int RunPicture(const Words& args, std::ostream& out, std::ostream& err)
{
    NeedWords(args, 2);
    auto tree = AskWindowTree(args[0], err);
    if (!tree)
        return 1;
    const std::string problem = WriteWindowPicture(*tree, args[1]);
    if (!problem.empty())
    {
        err << "vnmachine: " << problem << "\n";
        return 1;
    }
    const PictureLayout l = LayoutOf(*tree);
    out << "wrote " << args[1] << " (" << l.width << " x " << l.height << ")\n";
    return 0;
}

const char* const kPictureHelp =
    "picture: the window's rectangle with its frame around it: 3 pixels each side when it has\n"
    "         a frame, and 18 more above for its caption; PNG whatever FILE is called.\n";
