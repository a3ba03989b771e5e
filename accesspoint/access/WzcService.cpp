#include "accesspoint/access/WzcService.h"

#include "adapter/system/ServiceControl.h"

namespace
{

const char kWzcService[] = "WZCSVC";

} // namespace

BOOL IsWzcServiceRunning()
{
    CServiceHandles handles(kWzcService, SERVICE_QUERY_STATUS);
    DWORD dwState = 0;
    return handles.QueryState(&dwState) && dwState == SERVICE_RUNNING;
}

void StopWzcService()
{
    CServiceHandles handles(kWzcService, SERVICE_ALL_ACCESS);
    handles.StopUnlessStopped();
}
