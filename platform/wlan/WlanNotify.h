#pragma once
// Notification delivery, seen from tests.

namespace platform::wlan
{

// Wakes the delivery thread and returns once it has gone through the service's journal after
// this call: every notification due by the clock now has reached its callbacks. Returns at once
// when nothing is registered, or on the delivery thread itself.
void DeliverNotificationsNow();

} // namespace platform::wlan
