#pragma once
// Failures to inject into one adapter's driver, kept in <root>/miniport/{ID}/faults.txt so that
// they reach every process on the machine: requests that fail (once, N times, always), answers
// cut short, a device that cannot be opened.

#include "machine/ErrorCodes.h"
#include "machine/Machine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace machine::miniport
{

enum class Direction
{
    Both,
    Query,
    Set
};

struct RequestFault
{
    std::uint32_t oid = 0; // the query form: a fault on 0x0D710111 also takes 0x0DF10111
    Direction direction = Direction::Both;
    int remaining = 1; // requests still to fail; -1 always
    std::uint32_t error = kErrorGenFailure;
};

struct ShortAnswer
{
    std::uint32_t oid = 0; // the query form
    Direction direction = Direction::Query;
    std::uint32_t bytes = 0; // bytes returned (and written) at most
};

struct DriverFaults
{
    std::vector<RequestFault> failures;
    std::vector<ShortAnswer> shortAnswers;
    // Sets of these identifiers (query form) write into the caller's buffer (every byte
    // inverted), as a driver that scribbles on what it was given would.
    std::vector<std::uint32_t> scribbles;
    bool openFails = false;
};

std::string FormatDriverFaults(const DriverFaults& faults);
DriverFaults ParseDriverFaults(const std::string& text);

DriverFaults LoadDriverFaults(const Machine& machine, const std::string& netCfgInstanceId);
bool SaveDriverFaults(const Machine& machine, const std::string& netCfgInstanceId,
                      const DriverFaults& faults);

// A request with this wire code fails `times` times (-1 always). The direction is taken from
// the code when it is a set form and `direction` is Both.
void InjectRequestFault(const Machine& machine, const std::string& netCfgInstanceId,
                        std::uint32_t code, int times, Direction direction = Direction::Both,
                        std::uint32_t error = kErrorGenFailure);
void InjectShortAnswer(const Machine& machine, const std::string& netCfgInstanceId,
                       std::uint32_t code, std::uint32_t bytes,
                       Direction direction = Direction::Both);
void InjectSetScribble(const Machine& machine, const std::string& netCfgInstanceId,
                       std::uint32_t code);
void InjectOpenFailure(const Machine& machine, const std::string& netCfgInstanceId, bool fails);
void ClearDriverFaults(const Machine& machine, const std::string& netCfgInstanceId);

// For the driver: whether the request fails now (using up one count), and its error.
std::optional<std::uint32_t> TakeRequestFault(DriverFaults& faults, std::uint32_t wireCode);
std::optional<std::uint32_t> ShortAnswerFor(const DriverFaults& faults, std::uint32_t wireCode);
bool ScribblesOn(const DriverFaults& faults, std::uint32_t wireCode);

} // namespace machine::miniport
