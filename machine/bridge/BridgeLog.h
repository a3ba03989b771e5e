#pragma once
// The bridge driver's log, <root>/bridge/requests.log: one line for each open, request and
// close, in the order they reached it. Handles are numbered in the order they were opened.
//
//   open 1 access=0x00000000 share=READ|WRITE flags=OVERLAPPED|DELETE_ON_CLOSE
//   open - access=0x00000000 share=READ|WRITE flags=OVERLAPPED|DELETE_ON_CLOSE failed 5
//   request 1 VERSION in=FFFFFFFF out=4 answered 02000000
//   request 1 SWITCH in=01000000 out=0 answered -
//   request 1 STATE in=- out=4 pending
//   request 1 0x8000000C in=- out=0 failed 1
//   close 1
//
// Bytes are hex, "-" for none; "failed N" gives the caller's last error.

#include "machine/Machine.h"

#include <string>
#include <vector>

namespace machine::bridge
{

void AppendBridgeLog(const Machine& machine, const std::string& line);
std::vector<std::string> ReadBridgeLog(const Machine& machine);
void ClearBridgeLog(const Machine& machine);

} // namespace machine::bridge
