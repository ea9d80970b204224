// CException and its two kinds that callers meet: file and archive errors.
// They are thrown and caught by value. GetErrorMessage gives the fixed
// Japanese text of the cause (CP932), then "\n" and the file name when one
// is known; ReportError shows that text in an OK message box with the
// exclamation icon.
#pragma once

#include <exception>

#include "platform/base/AfxTypes.h"
#include "platform/base/CString.h"

class AFX_API CException : public std::exception {
 public:
  virtual CString GetErrorMessage() const = 0;
  // Shows the message through the current user-interaction implementation.
  void ReportError() const;
  const char* what() const noexcept override { return "CException"; }
};

class AFX_API CFileException : public CException {
 public:
  enum Cause {
    none,
    generic,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  CFileException(int cause = none, LONG osError = -1, const CString& fileName = CString())
      : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

  // The cause that an errno value stands for.
  static int OsErrorToException(LONG osError);
  // Throws the file error that an errno value stands for.
  [[noreturn]] static void ThrowOsError(LONG osError, const CString& fileName = CString());

  CString GetErrorMessage() const override;
  const char* what() const noexcept override { return "CFileException"; }

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

class AFX_API CArchiveException : public CException {
 public:
  enum Cause { none, generic, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema };

  CArchiveException(int cause = none, const CString& fileName = CString())
      : m_cause(cause), m_strFileName(fileName) {}

  CString GetErrorMessage() const override;
  const char* what() const noexcept override { return "CArchiveException"; }

  int m_cause;
  CString m_strFileName;
};
