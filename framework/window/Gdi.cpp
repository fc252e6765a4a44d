#include "framework/window/Gdi.h"

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
  if (hObject == NULL)
    return FALSE;
  DeleteObject();
  m_hObject = hObject;
  return TRUE;
}

BOOL CGdiObject::DeleteObject()
{
  if (m_hObject == NULL)
    return FALSE;
  BOOL bResult = ::DeleteObject(m_hObject);
  m_hObject = NULL;
  return bResult;
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight)
{
  return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, const char* lpszFacename)
{
  return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                              nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily,
                              CWideText(lpszFacename)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
  DeleteDC();
  m_hDC = ::CreateCompatibleDC(pDC != NULL ? pDC->m_hDC : NULL);
  return m_hDC != NULL;
}

BOOL CDC::DeleteDC()
{
  if (m_hDC == NULL)
    return FALSE;
  BOOL bResult = ::DeleteDC(m_hDC);
  m_hDC = NULL;
  return bResult;
}

HDC CDC::Detach()
{
  HDC hDC = m_hDC;
  m_hDC = NULL;
  return hDC;
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
  RECT rect = {x, y, x + cx, y + cy};
  ::SetBkColor(m_hDC, clr);
  ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rect, NULL, 0, NULL);
}
