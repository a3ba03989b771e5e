#include "tools/vnmachine/ServicesCommand.h"

#include "machine/Machine.h"
#include "machine/services/ServiceTable.h"

#include <iomanip>
#include <iostream>
#include <optional>

namespace svc = machine::services;

namespace
{

int usage()
{
    std::cerr << "usage: vnmachine services [list]\n"
                 "       vnmachine services start NAME | stop NAME\n"
                 "       vnmachine services start-type NAME auto|demand|disabled\n"
                 "       vnmachine services log | clear-log\n";
    return 2;
}

std::string reason(std::uint32_t error)
{
    switch (error)
    {
    case svc::kErrorDoesNotExist:
        return "this system has no such service";
    case svc::kErrorDisabled:
        return "the service is disabled";
    case svc::kErrorAlreadyRunning:
        return "the service is not stopped";
    case svc::kErrorNotActive:
        return "the service is not running";
    case svc::kErrorCannotAcceptControl:
        return "the service is starting or stopping";
    default:
        return "error " + std::to_string(error);
    }
}

int result(const std::string& what, const std::string& name, std::uint32_t error)
{
    if (error == 0)
        return 0;
    std::cerr << "vnmachine services: cannot " << what << " " << name << ": " << reason(error)
              << "\n";
    return 1;
}

int list(const machine::Machine& m)
{
    if (!svc::HasServiceManager(m))
    {
        std::cout << "this system has no service manager\n";
        return 0;
    }
    for (const auto& s : svc::ListServices(m))
    {
        std::cout << std::left << std::setw(10) << s.name;
        if (!s.present)
            std::cout << "(not on this system)\n";
        else
            std::cout << std::setw(15) << svc::StateName(s.state) << svc::StartTypeName(s.startType)
                      << "\n";
    }
    return 0;
}

std::optional<std::uint32_t> startType(const std::string& text)
{
    if (text == "auto")
        return svc::kAutoStart;
    if (text == "demand")
        return svc::kDemandStart;
    if (text == "disabled")
        return svc::kDisabled;
    return std::nullopt;
}

} // namespace

int RunServicesCommand(const std::vector<std::string>& args)
{
    const machine::Machine& m = machine::CurrentMachine();
    if (args.empty() || (args[0] == "list" && args.size() == 1))
        return list(m);
    const std::string& verb = args[0];
    if (verb == "log" && args.size() == 1)
    {
        for (const auto& line : svc::ReadServiceLog(m))
            std::cout << line << "\n";
        return 0;
    }
    if (verb == "clear-log" && args.size() == 1)
    {
        svc::ClearServiceLog(m);
        return 0;
    }
    if ((verb == "start" || verb == "stop") && args.size() == 2)
    {
        std::uint32_t error =
            verb == "start" ? svc::StartService(m, args[1]) : svc::StopService(m, args[1]);
        svc::AppendServiceLog(m, "vnmachine " + verb + " " + args[1] + " -> " +
                                     (error ? "error " + std::to_string(error) : "ok"));
        return result(verb, args[1], error);
    }
    if (verb == "start-type" && args.size() == 3)
    {
        auto type = startType(args[2]);
        if (!type)
            return usage();
        std::uint32_t error = svc::SetStartType(m, args[1], *type);
        svc::AppendServiceLog(m, "vnmachine start-type " + args[1] + " " + args[2] + " -> " +
                                     (error ? "error " + std::to_string(error) : "ok"));
        return result("change", args[1], error);
    }
    return usage();
}
