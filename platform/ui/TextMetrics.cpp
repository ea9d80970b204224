#include "platform/ui/TextMetrics.h"

#include "platform/text/Cp932Rules.h"
#include "platform/ui/DialogModel.h"
#include "platform/ui/detail/WindowAccess.h"

namespace {

constexpr int kDotsPerInch = 96;
constexpr int kPointsPerInch = 72;

int EmOf(int pointSize) {
  if (pointSize <= 0) pointSize = 9;
  return (pointSize * kDotsPerInch + kPointsPerInch / 2) / kPointsPerInch;
}

}  // namespace

CDC::CDC(int pointSize) : m_em(EmOf(pointSize)) {}

CSize CDC::GetTextExtent(LPCTSTR text, int length) const {
  CSize size{0, m_em};
  if (!text) return size;
  for (int i = 0; i < length; ++i) {
    const bool wide = vext::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < length;
    size.cx += wide ? m_em : m_em / 2;
    if (wide) ++i;
  }
  return size;
}

CSize CDC::GetTextExtent(const CString& text) const {
  return GetTextExtent(text.c_str(), text.GetLength());
}

CSize CDC::BaseUnits() const { return CSize{m_em / 2, m_em}; }

namespace {

int PointSizeOf(const CWnd* window) {
  const vext::DialogModel* model = window ? vext::WindowAccess::Model(*window) : nullptr;
  return model ? model->Template().pointSize : 9;
}

}  // namespace

CClientDC::CClientDC(CWnd* window) : CDC(PointSizeOf(window)) {}
