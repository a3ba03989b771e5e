#include "adapter/status/StatisticFields.h"

void CStatisticFields::Exchange(CDataExchange* pDX, const StatisticLayout& layout)
{
    for (int i = 0; i < STAT_FIELD_COUNT; i++)
        DDX_Text(pDX, layout.anValue[i], m_strValue[i]);
    for (int i = 0; i < STAT_FIELD_COUNT; i++)
        DDX_Text(pDX, layout.anLabel[i], m_strLabel[i]);
}

void CStatisticFields::LoadTexts(CWnd& page, const StatisticLayout& layout)
{
    const struct
    {
        int nId;
        UINT nText;
    } buttons[] = {{layout.nTxGroup, layout.nTxGroupText},
                   {layout.nRxGroup, layout.nRxGroupText},
                   {layout.nReset, layout.nResetText}};
    CString strText;
    for (const auto& button : buttons)
    {
        strText.LoadString(button.nText);
        page.SetDlgItemText(button.nId, strText);
    }
    for (int i = 0; i < STAT_FIELD_COUNT; i++)
        m_strLabel[i].LoadString(layout.anLabelText[i]);
}

void CStatisticFields::Show(const StatisticCounters& c)
{
    m_strValue[STAT_TX_SUCCESS].Format("%I64d", c.llTransmitted);
    // Unsigned arithmetic, then the signed view: no overflow for any pair of counters.
    m_strValue[STAT_TX_NO_RETRY].Format(
        "%I64d", static_cast<LONGLONG>(static_cast<ULONGLONG>(c.llTransmitted) -
                                       static_cast<ULONGLONG>(c.llRetries)));
    m_strValue[STAT_TX_RETRY].Format("%I64d", c.llRetries);
    m_strValue[STAT_TX_ACK_FAIL].Format("%I64d", c.llFailed);
    m_strValue[STAT_RTS_SUCCESS].Format("%I64d", c.llRtsSuccess);
    m_strValue[STAT_RTS_FAIL].Format("%I64d", c.llRtsFailure);
    m_strValue[STAT_RX_SUCCESS].Format("%u", c.nReceived);
    m_strValue[STAT_RX_CRC_ERROR].Format("%I64d", c.llFcsErrors);
    m_strValue[STAT_RX_NO_RESOURCE].Format("%u", c.nNoBuffer);
    m_strValue[STAT_RX_DUPLICATE].Format("%I64d", c.llDuplicates);
}

void CStatisticFields::Zero()
{
    for (CString& strValue : m_strValue)
        strValue = "0";
}
