#include "tools/vnmachine/DriverAnswerCommand.h"

#include "machine/Machine.h"
#include "machine/miniport/AdapterState.h"
#include "tools/vnmachine/AdapterChoice.h"
#include "tools/vnmachine/Arguments.h"

#include <iostream>

namespace miniport = machine::miniport;

int RunDriverAnswer(const std::string& deviceId, const Words& args)
{
    NeedWords(args, 2);
    const std::uint32_t code = Needed(ParseCode(args[0]), args[0]);
    const bool clear = args[1] == "--clear";
    std::string bytes;
    if (!clear)
    {
        auto parsed = ParseHexBytes(args[1]);
        if (!parsed || parsed->empty())
            throw UsageError{"HEX: '" + args[1] + "' is not bytes in hexadecimal"};
        bytes = *parsed;
    }
    auto d = AdapterNamed(deviceId);
    if (!d)
    {
        std::cerr << "vnmachine: no such adapter\n";
        return 1;
    }
    const bool saved = miniport::ChangeAdapterState(machine::CurrentMachine(), d->netCfgInstanceId,
                                                    [&](miniport::AdapterState& state)
                                                    {
                                                        if (clear)
                                                            miniport::UnpinAnswer(state, code);
                                                        else
                                                            miniport::PinAnswer(state, code, bytes);
                                                    });
    if (!saved)
    {
        std::cerr << "vnmachine: the adapter's state could not be written\n";
        return 1;
    }
    return 0;
}
