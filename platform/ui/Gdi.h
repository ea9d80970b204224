// Graphics objects behind the Windows handle types: bitmaps (HBITMAP),
// metafiles (HMETAFILE, HENHMETAFILE) and device contexts (HDC, see
// DeviceContext.h).
//
// A bitmap is an Image (Image.h). A metafile is a Drawing: a vector
// picture in millimetres, made of filled rectangles and text runs, kept so
// that it can be played at any size onto a device context (PlayMetaFile,
// PlayEnhMetaFile) and saved from there. The two metafile kinds hold the
// same content and differ, as on Windows, only in the handle and its
// delete function.
//
// Handles are looked up in a process-wide table and never reused: a
// deleted or made-up handle is recognised, finds nothing and deleting it
// again returns FALSE. The objects behind a handle live until it is
// deleted; the pointers the lookup functions return are valid until then.
#pragma once

#include <vector>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"
#include "platform/ui/Image.h"

namespace vext {
// What the handles point at: nothing a caller may look into.
struct BitmapObject;
struct MetafileObject;
struct EnhMetafileObject;
}  // namespace vext

using HBITMAP = vext::BitmapObject*;
using HMETAFILE = vext::MetafileObject*;
using HENHMETAFILE = vext::EnhMetafileObject*;
using HGDIOBJ = void*;

namespace vext {

struct DrawingRect {
  double x, y, width, height;  // millimetres from the top-left corner
  COLORREF color;
};

struct DrawingText {
  double x, y;    // millimetres: the centre of the baseline
  double height;  // millimetres, the font's em height
  CString text;   // CP932
  COLORREF color;
};

struct Drawing {
  double width = 0;  // millimetres
  double height = 0;
  COLORREF background = RGB(255, 255, 255);
  std::vector<DrawingRect> rects;
  std::vector<DrawingText> texts;
};

// Hands `image` to a new bitmap handle; null when the image is empty.
AFX_API HBITMAP NewBitmap(Image image);
// The bitmap's pixels (writable, like a DIB section's bits); null for a
// handle that is not a live bitmap.
AFX_API Image* BitmapImage(HBITMAP bitmap);

AFX_API HMETAFILE NewMetaFile(Drawing drawing);
AFX_API HENHMETAFILE NewEnhMetaFile(Drawing drawing);
// The metafile's content; null for a handle that is not a live metafile
// of that kind.
AFX_API const Drawing* MetaFileDrawing(HMETAFILE metafile);
AFX_API const Drawing* EnhMetaFileDrawing(HENHMETAFILE metafile);

}  // namespace vext

// Frees a bitmap; FALSE when the handle is not a live bitmap.
AFX_API BOOL DeleteObject(HGDIOBJ object);
AFX_API BOOL DeleteMetaFile(HMETAFILE metafile);
AFX_API BOOL DeleteEnhMetaFile(HENHMETAFILE metafile);
