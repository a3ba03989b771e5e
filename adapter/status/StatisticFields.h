#pragma once
// What both programs' Statistics pages show alike: ten frame counters, each beside its label,
// two group boxes and the reset button. Each page names its own controls and texts, and reads
// its counters its own way.

#include "platform/Windows.h"

// The fields in the order of the layout's arrays.
enum
{
    STAT_TX_SUCCESS,
    STAT_TX_NO_RETRY,
    STAT_TX_RETRY,
    STAT_TX_ACK_FAIL,
    STAT_RTS_SUCCESS,
    STAT_RTS_FAIL,
    STAT_RX_SUCCESS,
    STAT_RX_CRC_ERROR,
    STAT_RX_NO_RESOURCE,
    STAT_RX_DUPLICATE,
    STAT_FIELD_COUNT
};

struct StatisticLayout
{
    int anValue[STAT_FIELD_COUNT];
    int anLabel[STAT_FIELD_COUNT];
    UINT anLabelText[STAT_FIELD_COUNT];
    int nTxGroup;
    UINT nTxGroupText;
    int nRxGroup;
    UINT nRxGroupText;
    int nReset;
    UINT nResetText;
};

// The counters as a page read them; a failed query reads 0.
struct StatisticCounters
{
    LONGLONG llTransmitted;
    LONGLONG llRetries;
    LONGLONG llFailed;
    LONGLONG llRtsSuccess;
    LONGLONG llRtsFailure;
    LONGLONG llFcsErrors;
    LONGLONG llDuplicates;
    UINT nReceived; // shown in 32 bits
    UINT nNoBuffer;
};

class CStatisticFields
{
public:
    CString m_strValue[STAT_FIELD_COUNT];
    CString m_strLabel[STAT_FIELD_COUNT];

    void Exchange(CDataExchange* pDX, const StatisticLayout& layout);
    // The labels, group boxes and button from the string table.
    void LoadTexts(CWnd& page, const StatisticLayout& layout);
    // 64-bit counters as "%I64d", the 32-bit ones as "%u"; "Without Retry" is the signed
    // difference, negative when the retries outnumber the transmitted fragments.
    void Show(const StatisticCounters& counters);
    // Every field "0".
    void Zero();
};
