// The Ethernet bridge driver's device "\\.\NBRG" and its control requests.

#include "machine/AsciiCase.h"
#include "machine/ErrorCodes.h"
#include "machine/Machine.h"
#include "machine/bridge/BridgeDriver.h"
#include "platform/base/Events.h"
#include "platform/base/WinError.h"
#include "platform/device/DeviceIoControl.h"
#include "platform/device/internal/DeviceOpeners.h"
#include "platform/file/FileApi.h"

#include <cstring>
#include <exception>
#include <string>
#include <utility>

namespace platform
{
namespace
{

namespace bridge = machine::bridge;

class BridgeDevice : public DeviceObject
{
public:
    BridgeDevice(machine::Machine machine, std::uint32_t number, bool overlapped)
        : m_machine(std::move(machine)), m_number(number), m_overlapped(overlapped)
    {
    }
    ~BridgeDevice() override
    {
        try
        {
            bridge::CloseBridge(m_machine, m_number);
        }
        catch (const std::exception&)
        {
            // The machine went away first: there is nobody left to tell.
        }
    }
    BridgeDevice(const BridgeDevice&) = delete;
    BridgeDevice& operator=(const BridgeDevice&) = delete;

    BOOL ioControl(DWORD code, const BYTE* in, DWORD inSize, BYTE* out, DWORD outSize,
                   DWORD* returned, OVERLAPPED* overlapped) override
    {
        *returned = 0;
        // An overlapped handle needs the record to report through.
        if (m_overlapped && overlapped == nullptr)
        {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        const bool async = m_overlapped && overlapped != nullptr;
        // The request starts: its event is reset until it completes.
        if (overlapped != nullptr && overlapped->hEvent != 0)
            ResetEvent(overlapped->hEvent);
        const std::string input(reinterpret_cast<const char*>(in), inSize);
        bridge::Answer a =
            bridge::HandleBridgeRequest(m_machine, m_number, code, input, outSize, async);
        switch (a.outcome)
        {
        case bridge::Outcome::Pending:
            overlapped->Internal = STATUS_PENDING;
            overlapped->InternalHigh = 0;
            SetLastError(ERROR_IO_PENDING);
            return FALSE;
        case bridge::Outcome::Failed:
            // A request that fails at once completes nothing: the record and event stay.
            SetLastError(a.error);
            return FALSE;
        case bridge::Outcome::Answered:
            break;
        }
        const auto size = static_cast<DWORD>(a.output.size());
        if (size != 0)
            std::memcpy(out, a.output.data(), size);
        *returned = size;
        if (overlapped != nullptr)
        {
            overlapped->Internal = 0; // STATUS_SUCCESS
            overlapped->InternalHigh = size;
            if (overlapped->hEvent != 0)
                SetEvent(overlapped->hEvent);
        }
        return TRUE;
    }

private:
    const machine::Machine m_machine; // the machine it was opened on, also for the close
    const std::uint32_t m_number;
    const bool m_overlapped;
};

} // namespace

std::optional<HANDLE> OpenBridgeDevice(const DeviceOpenRequest& request)
{
    if (!machine::EqualNoCase(request.name, "NBRG"))
        return std::nullopt;
    const machine::Machine& m = machine::CurrentMachine();
    const bridge::OpenResult opened = bridge::OpenBridge(
        m, {request.desiredAccess, request.shareMode, request.flagsAndAttributes});
    // Without a bridge the name is nobody's: the open fails as for any unknown device.
    if (opened.error == machine::kErrorFileNotFound)
        return std::nullopt;
    if (opened.handle == 0)
    {
        SetLastError(opened.error);
        return INVALID_HANDLE_VALUE;
    }
    return RegisterHandle(std::make_shared<BridgeDevice>(
        m, opened.handle, (request.flagsAndAttributes & FILE_FLAG_OVERLAPPED) != 0));
}

} // namespace platform
