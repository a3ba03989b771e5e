#include "platform/device/StandardDevices.h"

#include "platform/device/internal/DeviceOpeners.h"

#include <mutex>

namespace platform
{

void RegisterStandardDeviceOpeners()
{
    static std::once_flag once;
    std::call_once(once,
                   []
                   {
                       RegisterDeviceOpener(OpenAdapterDevice);
                       RegisterDeviceOpener(OpenBridgeDevice);
                   });
}

} // namespace platform
