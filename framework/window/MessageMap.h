// Message maps: a short static table per window class, next to its
// handlers. An entry names the message, for WM_COMMAND also the control id
// and the notification code, and the member function that handles it.
#pragma once
#include "framework/Platform.h"

class CWnd;

// Handlers are stored as members of CWnd, in the field of their signature.
typedef void (CWnd::*AFX_PMSG)();
typedef HCURSOR (CWnd::*AFX_PMSG_HCURSOR)();

enum AfxSig
{
  AfxSig_end = 0,
  AfxSig_vv,  // void Handler()
  AfxSig_hv,  // HCURSOR Handler(), the result goes back to the system
};

struct AFX_MSGMAP_ENTRY
{
  UINT nMessage;
  UINT nCode;  // notification code (WM_COMMAND only)
  UINT nID;    // control id (WM_COMMAND only)
  AfxSig nSig;
  AFX_PMSG pfn;
  AFX_PMSG_HCURSOR pfnHcursor;
};

struct AFX_MSGMAP
{
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                   \
protected:                                      \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap()                                   \
  {                                                                                 \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    using TheBaseClass = baseClass;                                                 \
    static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                        \
  {                                                                              \
    0, 0, 0, AfxSig_end, nullptr, nullptr                                        \
  }                                                                              \
  }                                                                              \
  ;                                                                              \
  static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]}; \
  return &map;                                                                   \
  }

#define ON_CONTROL(code, id, memberFxn) \
  {WM_COMMAND, (UINT)(code), (UINT)(id), AfxSig_vv, static_cast<AFX_PMSG>(memberFxn), nullptr},
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_WM_QUERYDRAGICON() \
  {WM_QUERYDRAGICON, 0, 0, AfxSig_hv, nullptr, static_cast<AFX_PMSG_HCURSOR>(&ThisClass::OnQueryDragIcon)},
