// Text measurement without a screen: widths as the dialog font draws them
// at 96 dots per inch, close enough to size list tab stops and scroll
// extents. A single-byte character (half-width kana too) is half the em
// wide, a double-byte one the whole em; the em of 9 points is 12 pixels.
//
//   CClientDC dc(&m_list);                     // the list's dialog font
//   int width = dc.GetTextExtent(name).cx;     // pixels
//   RECT unit = {0, 0, 4, 8};                  // dialog units to pixels:
//   MapDialogRect(&unit);                      // unit.right pixels = 4 units
#pragma once

#include "platform/base/CString.h"
#include "platform/ui/Image.h"
#include "platform/ui/Window.h"

struct CSize {
  LONG cx = 0;
  LONG cy = 0;
};

using LPRECT = RECT*;

class AFX_API CDC {
 public:
  // Measures with the font of `pointSize` points.
  explicit CDC(int pointSize = 9);
  CSize GetTextExtent(LPCTSTR text, int length) const;
  CSize GetTextExtent(const CString& text) const;
  // The dialog base units of the font: average character width and height.
  CSize BaseUnits() const;

 private:
  int m_em;  // pixels
};

// Measures with the font of the window's dialog (its template's).
class AFX_API CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* window);
};
