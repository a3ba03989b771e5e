#include "tools/vnmachine/ServicesCommand.h"

#include "machine/ErrorCodes.h"
#include "machine/Machine.h"
#include "machine/services/ServiceTable.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/JsonOutput.h"
#include "tools/vnmachine/MachineHandler.h"

#include <cctype>
#include <iomanip>
#include <iostream>

namespace svc = machine::services;

namespace
{

std::string reason(std::uint32_t error)
{
    switch (error)
    {
    case machine::kErrorServiceDoesNotExist:
        return "this system has no such service";
    case machine::kErrorServiceDisabled:
        return "the service is disabled";
    case machine::kErrorServiceAlreadyRunning:
        return "the service is not stopped";
    case machine::kErrorServiceNotActive:
        return "the service is not running";
    case machine::kErrorServiceCannotAcceptControl:
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

// The state as JSON names it: "running", "stopped", "start_pending", "stop_pending".
std::string stateField(std::uint32_t state)
{
    std::string name = svc::StateName(state);
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

void listJson(const machine::Machine& m)
{
    nlohmann::json services = nlohmann::json::array();
    const bool manager = svc::HasServiceManager(m);
    if (manager)
        for (const auto& s : svc::ListServices(m))
        {
            nlohmann::json entry = {{"name", s.name}, {"present", s.present}};
            if (s.present)
            {
                entry["state"] = stateField(s.state);
                entry["start_type"] = svc::StartTypeName(s.startType);
            }
            services.push_back(std::move(entry));
        }
    PrintJson({{"service_manager", manager}, {"services", services}});
}

void list(const machine::Machine& m)
{
    if (JsonOutput())
        return listJson(m);
    if (!svc::HasServiceManager(m))
    {
        std::cout << "this system has no service manager\n";
        return;
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
}

std::uint32_t startType(const std::string& text)
{
    if (text == "auto")
        return svc::kAutoStart;
    if (text == "demand")
        return svc::kDemandStart;
    if (text == "disabled")
        return svc::kDisabled;
    throw UsageError{};
}

// The service's log line for what the tool did, ending in its outcome.
void logOutcome(const machine::Machine& m, const std::string& what, std::uint32_t error)
{
    svc::AppendServiceLog(m, "vnmachine " + what + " -> " +
                                 (error ? "error " + std::to_string(error) : "ok"));
}

// start or stop the one service the word names.
Handler startOrStop(std::string verb)
{
    return OnMachine(
        [verb](const machine::Machine& m, const Words& a)
        {
            NeedWords(a, 1);
            std::uint32_t error =
                verb == "start" ? svc::StartService(m, a[0]) : svc::StopService(m, a[0]);
            logOutcome(m, verb + " " + a[0], error);
            return result(verb, a[0], error);
        });
}

} // namespace

int RunServicesCommand(const Words& args)
{
    static const CommandTable table{
        .path = "vnmachine services",
        .commands =
            {
                {"list", {}, "every service with its state and start type", WithoutWords(list)},
                {"start",
                 {"NAME"},
                 "start a service (pending first, running after a while)",
                 startOrStop("start")},
                {"stop",
                 {"NAME"},
                 "stop a service (pending first, stopped after a while)",
                 startOrStop("stop")},
                {"start-type",
                 {"NAME auto|demand|disabled"},
                 "change how a service starts",
                 OnMachine(
                     [](const machine::Machine& m, const Words& a)
                     {
                         NeedWords(a, 2);
                         std::uint32_t error = svc::SetStartType(m, a[0], startType(a[1]));
                         logOutcome(m, "start-type " + a[0] + " " + a[1], error);
                         return result("change", a[0], error);
                     })},
                {"log",
                 {},
                 "the calls programs made on the services",
                 PrintingLog(svc::ReadServiceLog, [](const machine::Machine& m)
                             { return m.root() / "services" / "log.txt"; })},
                {"clear-log", {}, "forget those calls", WithoutWords(svc::ClearServiceLog)},
            },
        .fallback = "list",
        .notes = "NAME: a service such as \"Wlansvc\" or \"WZCSVC\".\n",
    };
    return table.run(args);
}
