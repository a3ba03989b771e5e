#pragma once
// The driver's events, through the management instrumentation: WmiEventReceiver subscribes to
// the adapter driver's event class and CMySink turns each event into one WM_DRIVER_EVENT to
// the monitor window. The event's properties are not read: the message only says one came.

#include "platform/Windows.h"

#include <atomic>

// Posted (wParam 0, lParam 0) to the notify window for each driver event.
#define WM_DRIVER_EVENT 0x8001

class CMySink : public IWbemObjectSink
{
public:
    CMySink();

    virtual HRESULT QueryInterface(REFIID riid, void** ppv);
    virtual ULONG AddRef();
    virtual ULONG Release();
    // Called on a thread of the instrumentation.
    virtual HRESULT Indicate(LONG lObjectCount, IWbemClassObject** apObjArray);
    virtual HRESULT SetStatus(LONG lFlags, HRESULT hResult, BSTR strParam,
                              IWbemClassObject* pObjParam);
    virtual ~CMySink();

    HWND m_hNotifyWnd;

private:
    // AddRef and Release come from the instrumentation's threads and the UI thread.
    std::atomic<LONG> m_lRef;
};

class WmiEventReceiver
{
public:
    WmiEventReceiver();
    // Disconnects when its owner did not (a second disconnect does nothing).
    ~WmiEventReceiver();

    void SetNotifyWindow(HWND hWnd);
    // 1 when subscribed, else 0 (everything obtained on the way is given back).
    int ConnectWmiEvents();
    void DisconnectWmiEvents();

    IWbemLocator* m_pLocator;
    IWbemServices* m_pServices;
    int m_bConnected;
    CMySink* m_pSink;
    HWND m_hNotifyWnd;
};
