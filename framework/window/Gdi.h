// GDI objects and device contexts. An object deletes what it created when
// it is destroyed.
#pragma once
#include "framework/String.h"
#include "framework/os/Unicode.h"

class CGdiObject
{
public:
  CGdiObject() : m_hObject(NULL) {}
  virtual ~CGdiObject() { DeleteObject(); }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  BOOL Attach(HGDIOBJ hObject);
  BOOL DeleteObject();
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  HGDIOBJ m_hObject;
};

class CBitmap : public CGdiObject
{
public:
  BOOL CreateCompatibleBitmap(class CDC* pDC, int nWidth, int nHeight);
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CFont : public CGdiObject
{
public:
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                  BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                  BYTE nQuality, BYTE nPitchAndFamily, const char* lpszFacename);
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CDC
{
public:
  CDC() : m_hDC(NULL) {}
  ~CDC() { DeleteDC(); }
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  BOOL CreateCompatibleDC(CDC* pDC);
  BOOL DeleteDC();
  HDC Detach();

  HGDIOBJ SelectObject(CGdiObject* pObject) { return ::SelectObject(m_hDC, pObject->m_hObject); }
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
  int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
  COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
  BOOL TextOut(int x, int y, const CString& str)
  {
    const CWideText text(str);
    return ::TextOutW(m_hDC, x, y, text, text.Length());
  }

  HDC m_hDC;
};

// A window's client-area context for the scope that holds it; it goes back
// to the window at the end.
class CClientDC : public CDC
{
public:
  explicit CClientDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = ::GetDC(hWnd); }
  ~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

private:
  HWND m_hWnd;
};

// An object selected into a context for the scope that holds it; the
// object it replaced is selected again at the end, so that the context
// never keeps one that is about to be deleted or used elsewhere.
class CSelectedObject
{
public:
  CSelectedObject(CDC& dc, CGdiObject& object) : m_dc(dc), m_hReplaced(dc.SelectObject(&object)) {}
  ~CSelectedObject() { ::SelectObject(m_dc.m_hDC, m_hReplaced); }
  CSelectedObject(const CSelectedObject&) = delete;
  CSelectedObject& operator=(const CSelectedObject&) = delete;

private:
  CDC& m_dc;
  HGDIOBJ m_hReplaced;
};
