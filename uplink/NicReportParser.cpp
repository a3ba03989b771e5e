#include "uplink/NicReportParser.h"

#include "uplink/AdapterRecords.h"
#include "uplink/KnownWirelessAdapters.h"

#include <string>

namespace
{

const char kEthernetHeader[] = "Ethernet adapter";
const char kPppHeader[] = "PPP adapter";
const char kConnectedMark[] = "Connection-specific";
const char kDhcpYes[] = "Yes";

// Hands out the report's lines one by one. Past the end it gives empty lines, so a block cut off
// by the end of the file is finished with empty fields.
class CReportReader
{
public:
    explicit CReportReader(const CStringArray& lines) : m_lines(lines), m_nNext(0) {}

    BOOL ReadLine(CString& strLine)
    {
        if (m_nNext >= m_lines.GetSize())
        {
            strLine.Empty();
            return FALSE;
        }
        strLine = m_lines[m_nNext++];
        return TRUE;
    }

private:
    const CStringArray& m_lines;
    INT_PTR m_nNext;
};

// "Ethernet adapter Local Area Connection:" -> "Local Area Connection". The name starts one
// character after the header word; the closing colon is dropped (a header without one keeps its
// whole name).
CString ConnectionName(CString strLine, LPCSTR pszHeader)
{
    strLine.TrimRight();
    int nStart =
        strLine.Find(pszHeader) + static_cast<int>(std::char_traits<char>::length(pszHeader)) + 1;
    CString strName = strLine.Mid(nStart);
    if (!strName.IsEmpty() && strName[strName.GetLength() - 1] == ':')
        strName.Truncate(strName.GetLength() - 1);
    return strName;
}

// The next record to fill, or NULL when the table is full: the connection is then not listed.
AdapterRecord* AddConnection(const CString& strName, CStringArray& names)
{
    if (g_nAdapterCount >= MAX_ADAPTER_RECORDS)
        return NULL;
    AdapterRecord* pRecord = &g_AdapterRecords[g_nAdapterCount++];
    pRecord->Name = strName;
    names.Add(strName);
    return pRecord;
}

// After the MAC line of a connected block: the DHCP line, the autoconfiguration line when DHCP
// said "Yes", then the address.
CString ReadAddress(CReportReader& reader)
{
    CString strLine;
    reader.ReadLine(strLine);
    if (strLine.Find(kDhcpYes) >= 0)
        reader.ReadLine(strLine);
    reader.ReadLine(strLine);
    return ReportValue(strLine);
}

void ParseEthernetBlock(CReportReader& reader, const CString& strHeader, CStringArray& names)
{
    CString strName = ConnectionName(strHeader, kEthernetHeader);
    CString strLine;
    reader.ReadLine(strLine);
    reader.ReadLine(strLine);
    BOOL bConnected = strLine.Find(kConnectedMark) >= 0;

    CString strDescription;
    reader.ReadLine(strDescription);
    if (FindKnownWirelessAdapter(strDescription) >= 0)
    {
        g_strWirelessName = strName;
        return;
    }

    AdapterRecord* pRecord = AddConnection(strName, names);
    CString strMac;
    reader.ReadLine(strMac);
    CString strIp;
    if (bConnected)
        strIp = ReadAddress(reader);
    if (pRecord != NULL)
    {
        pRecord->Description = ReportValue(strDescription);
        pRecord->MAC = ReportValue(strMac);
        pRecord->IP = strIp;
    }
}

void ParsePppBlock(CReportReader& reader, const CString& strHeader, CStringArray& names)
{
    CString strName = ConnectionName(strHeader, kPppHeader);
    CString strLine;
    reader.ReadLine(strLine);
    reader.ReadLine(strLine);
    if (strLine.Find(kConnectedMark) < 0)
        return;

    AdapterRecord* pRecord = AddConnection(strName, names);
    CString strDescription, strMac;
    reader.ReadLine(strDescription);
    reader.ReadLine(strMac);
    CString strIp = ReadAddress(reader);
    if (pRecord != NULL)
    {
        pRecord->Description = ReportValue(strDescription);
        pRecord->MAC = ReportValue(strMac);
        pRecord->IP = strIp;
    }
}

} // namespace

CString ReportValue(const CString& strLine)
{
    int nPos = strLine.Find(": ");
    if (nPos < 0)
        return CString();
    return strLine.Mid(nPos + 2);
}

void SplitNicReportLines(const char* pData, std::size_t nSize, CStringArray& lines)
{
    lines.RemoveAll();
    std::size_t nStart = 0;
    while (nStart < nSize)
    {
        std::size_t nEnd = nStart;
        while (nEnd < nSize && pData[nEnd] != '\n')
            nEnd++;
        std::size_t nLength = nEnd - nStart;
        if (nEnd < nSize && nLength > 0 && pData[nEnd - 1] == '\r')
            nLength--;
        lines.Add(CString(pData + nStart, static_cast<int>(nLength)));
        nStart = nEnd + 1;
    }
}

int ParseNicReport(const CStringArray& lines, CStringArray& names)
{
    for (AdapterRecord& record : g_AdapterRecords)
        record = AdapterRecord();
    g_nAdapterCount = 0;
    g_strWirelessName.Empty();
    names.RemoveAll();

    CReportReader reader(lines);
    CString strLine;
    BOOL bMore = reader.ReadLine(strLine);
    while (bMore)
    {
        if (strLine.Find(kEthernetHeader) >= 0)
            ParseEthernetBlock(reader, strLine, names);
        else if (strLine.Find(kPppHeader) >= 0)
            ParsePppBlock(reader, strLine, names);
        bMore = reader.ReadLine(strLine);
    }
    return g_nAdapterCount;
}

int ParseNicReportText(const char* pData, std::size_t nSize, CStringArray& names)
{
    CStringArray lines;
    SplitNicReportLines(pData, nSize, lines);
    return ParseNicReport(lines, names);
}

BOOL ReadNicReport(LPCSTR lpszFileName, CStringArray& names)
{
    CStdioFile file;
    if (!file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyNone | CFile::typeText))
        return FALSE;
    CStringArray lines;
    CString strLine;
    while (file.ReadString(strLine))
        lines.Add(strLine);
    file.Close();
    ParseNicReport(lines, names);
    return TRUE;
}
