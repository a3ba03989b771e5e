#pragma once
// The events the wireless adapter's driver raises through the management instrumentation, and
// what a test or a person arranges for the programs that subscribe to them. All are machine
// files, so an event raised by any process reaches the subscribers of every process:
//
//   <root>/wmi/events/journal.txt   the journal: the latest batches of event objects, numbered
//   <root>/wmi/faults.txt           failures to inject into the steps of a subscription
//   <root>/wmi/wmi.log              the calls made to the locator and the namespace
//
// A subscriber remembers the number of the last batch it handed on and takes the later ones.

#include "machine/ErrorCodes.h"
#include "machine/Machine.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace machine::wmi
{

// The namespace of the driver's instrumentation and the class of its events.
inline constexpr const char* kDriverNamespace = "ROOT\\WMI";
inline constexpr const char* kDriverEventClass = "VnWLANMessageEvent";

// One event object as the driver hands it over. The class is what the object reports, even
// when it is not the subscription's (a driver may mislabel); an object whose class cannot be
// read reports none.
struct EventObject
{
    std::string className = kDriverEventClass;
    bool classReadable = true;
};

struct EventBatch
{
    std::uint64_t seq = 0;
    std::vector<EventObject> objects;
};

// The journal's name in its folder.
inline constexpr const char* kEventJournalName = "journal.txt";

// The folder that holds only the journal, made when missing. The journal is replaced whole
// (renamed into place) on each change, so subscribers watch the folder for that.
std::filesystem::path EventFolder(const Machine& machine);

// Appends one batch (empty batches are not journalled: 0) and returns its number. Only the
// latest batches are kept.
std::uint64_t RaiseDriverEvents(const Machine& machine, const std::vector<EventObject>& objects);
std::uint64_t RaiseDriverEvent(const Machine& machine,
                               const std::string& className = kDriverEventClass);
// Batches numbered above `seq`, oldest first; the number of the latest batch (0 for none).
std::vector<EventBatch> EventBatchesAfter(const Machine& machine, std::uint64_t seq);
std::uint64_t LastEventSeq(const Machine& machine);

// The instrumentation's namespaces and the event classes in them; names compare without
// regard to ASCII case, as the platform's do.
bool IsKnownNamespace(const std::string& path);
bool IsEventClass(const std::string& path, const std::string& className);

// The steps of a subscription a failure can be injected into.
enum class WmiStep
{
    Initialize,    // CoInitializeEx
    Security,      // CoInitializeSecurity
    CreateLocator, // CoCreateInstance of the locator
    Connect,       // IWbemLocator::ConnectServer
    Subscribe,     // IWbemServices::ExecNotificationQueryAsync
};
const char* WmiStepName(WmiStep step); // "init", "security", "locator", "connect", "query"
std::optional<WmiStep> ParseWmiStep(const std::string& name);

struct WmiFailure
{
    WmiStep step = WmiStep::Initialize;
    int remaining = 1; // -1 always
    std::uint32_t result = kResultFail;
};

struct WmiFaults
{
    std::vector<WmiFailure> failures;
};

std::string FormatWmiFaults(const WmiFaults& faults);
WmiFaults ParseWmiFaults(const std::string& text);
WmiFaults LoadWmiFaults(const Machine& machine);

// `times` times (-1 always; 0 removes the failure). A later injection for the same step
// replaces the earlier one.
void InjectWmiFailure(const Machine& machine, WmiStep step, int times,
                      std::uint32_t result = kResultFail);
void ClearWmiFaults(const Machine& machine);
// For the platform: the failure result of this step now (using up one count), or nullopt.
std::optional<std::uint32_t> TakeWmiFailure(const Machine& machine, WmiStep step);

void AppendWmiLog(const Machine& machine, const std::string& line);
std::vector<std::string> ReadWmiLog(const Machine& machine);
void ClearWmiLog(const Machine& machine);

} // namespace machine::wmi
