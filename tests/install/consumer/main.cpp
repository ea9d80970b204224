// A minimal host: uses the platform's CP932 strings, reads the suite's
// folders through CVextEnv and asks ChkMsxmlVer for the XML parser, all
// through the installed headers and libraries. The registry file given in
// $VEXT_REGISTRY says what the answers must be.
#include <cstdio>
#include <string>

#include "platform/base/CString.h"
#include "platform/text/Cp932.h"
#include "platform/text/Sj.h"
#ifdef VEXT_HAVE_VEXTENV
#include "VextEnv.h"
#endif
#ifdef VEXT_HAVE_XMLSNCENV
#include "xmlSncEnv.h"
#endif

// The general types give a host no TRUE or FALSE macro of their own (the
// form document interface declares with them, and may bring them).
#if defined(TRUE) || defined(FALSE)
#error "TRUE or FALSE leaked from a public header"
#endif

#ifdef VEXT_HAVE_VEXTBASE
#include "vextbase/VextBase.h"
#endif

namespace {

int failures = 0;

void Check(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  if (!ok) ++failures;
}

}  // namespace

int main() {
  const CString phoneBook("電話帳"_sj);
  Check(phoneBook.GetLength() == 6, "a _sj literal holds CP932 bytes");
  const auto utf8 = vext::Cp932ToUtf8(static_cast<const char*>("電話帳"_sj));
  Check(utf8 && *utf8 == reinterpret_cast<const char*>(u8"電話帳"), "CP932 converts back to UTF-8");

#ifdef VEXT_HAVE_VEXTENV
  {
    CVextEnv env;
    Check(env.m_strCommonDir == "C:\\VextCommon\\共通"_sj,
          "CVextEnv reads CommonDir from the registry file");
    Check(env.m_strInstalledDir.GetLength() == 0, "CVextEnv leaves a missing product key empty");
  }
#endif
#ifdef VEXT_HAVE_XMLSNCENV
  Check(ChkMsxmlVer() == 3, "ChkMsxmlVer finds msxml3.dll registered");
#endif

#ifdef VEXT_HAVE_VEXTBASE
  {
    CNVextLayoutData layout;
    layout.SetMenCount(2);
    Check(layout.AddPropObj(new CNPropObj(3, "宛名"_sj, NVPROP_INPUT, 20, 1)) != 0,
          "a layout takes a field");
    CVextBasePrtFrm frame;
    frame.SetFormat(&layout);
    CNVextDoc* doc = frame.GetData(0, 0);
    doc->SetStrDataByOrder(3, 2, "㈱髙橋"_sj, 0);
    int index = 0;
    CString name;
    Check(doc->GetStrDataByOrder(3, 2, index, name) == "㈱髙橋"_sj && index == 1,
          "a document keeps a value per face");
    tagNVEXTDOC header{};
    CNVextDoc copy;
    Check(doc->GetVEXTDOC(&header, 0) && copy.SetVEXTDOC(&header, 0) && copy.GetMenCount() == 2,
          "a header copy carries the layout");
    GlobalFree(header.hFormat);
    delete doc;
  }
#endif

  if (failures != 0) std::printf("consumer: %d check(s) failed\n", failures);
  return failures == 0 ? 0 : 1;
}
