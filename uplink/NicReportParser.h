#pragma once
// The connection listing of NicReport.txt, a report in the layout of the listing ipconfig /all
// prints. Each "Ethernet adapter NAME:" or "PPP adapter NAME:" block is one connection; the
// parser relies on the order of the block's lines, not on their labels:
//
//   Ethernet adapter NAME:
//   (blank)
//           Connection-specific DNS Suffix  . :        <- absent when disconnected
//           Description . . . . . . . . . . . : TEXT
//           Physical Address. . . . . . . . . : MAC
//           Dhcp Enabled. . . . . . . . . . . : Yes
//           Autoconfiguration Enabled . . . . : Yes   <- only after a "Yes" line
//           IP Address. . . . . . . . . . . . : IP
//
// The wireless adapter's own block (its description contains a KnownWirelessAdapters entry) is
// never listed: its name becomes g_strWirelessName. Listed blocks fill g_AdapterRecords in order;
// listing stops at MAX_ADAPTER_RECORDS, later blocks are still read (a wireless block after them
// is still recognised).

#include "platform/Windows.h"

#include <cstddef>

// The lines as a text-mode read gives them: a line ends at "\n" (a "\r" before it is dropped);
// a last line without "\n" is a line too.
void SplitNicReportLines(const char* pData, std::size_t nSize, CStringArray& lines);

// Empties g_AdapterRecords, g_nAdapterCount and g_strWirelessName, then lists the report's
// connections. names receives the listed names in order (the drop-down list's entries).
// Returns the number listed.
int ParseNicReport(const CStringArray& lines, CStringArray& names);
int ParseNicReportText(const char* pData, std::size_t nSize, CStringArray& names);

// Reads and parses the report file. FALSE, and nothing changed, when it cannot be opened.
BOOL ReadNicReport(LPCSTR lpszFileName, CStringArray& names);

// The text after the first ": " of a line; empty when the line has none.
CString ReportValue(const CString& strLine);
