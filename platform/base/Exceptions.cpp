#include "platform/base/Exceptions.h"

#include <cerrno>

#include "platform/text/Sj.h"

namespace {

// The text of one cause, then the file it happened to when that is known.
CString WithFileName(const char* text, const CString& fileName) {
  CString message(text);
  if (!fileName.IsEmpty()) {
    message += '\n';
    message += fileName;
  }
  return message;
}

const char* FileCauseText(int cause) {
  switch (cause) {
    case CFileException::fileNotFound: return "ファイルが見つかりません。"_sj;
    case CFileException::badPath: return "ファイルのパスが正しくありません。"_sj;
    case CFileException::tooManyOpenFiles: return "開いているファイルが多すぎます。"_sj;
    case CFileException::accessDenied: return "ファイルへのアクセスが拒否されました。"_sj;
    case CFileException::invalidFile: return "ファイルが正しく開かれていません。"_sj;
    case CFileException::removeCurrentDir: return "現在のフォルダーは削除できません。"_sj;
    case CFileException::directoryFull: return "フォルダーにこれ以上ファイルを作成できません。"_sj;
    case CFileException::badSeek: return "ファイルの読み書き位置を移動できません。"_sj;
    case CFileException::hardIO: return "ファイルの読み書き中に装置のエラーが発生しました。"_sj;
    case CFileException::sharingViolation: return "ファイルは他のアプリケーションで使用中です。"_sj;
    case CFileException::lockViolation: return "ファイルはロックされています。"_sj;
    case CFileException::diskFull: return "ディスクの空き容量が不足しています。"_sj;
    case CFileException::endOfFile: return "予期しないファイルの終わりに達しました。"_sj;
    default: return "ファイルの操作中にエラーが発生しました。"_sj;
  }
}

const char* ArchiveCauseText(int cause) {
  switch (cause) {
    case CArchiveException::readOnly: return "読み込み用に開いたファイルには書き込めません。"_sj;
    case CArchiveException::writeOnly: return "書き込み用に開いたファイルからは読み込めません。"_sj;
    case CArchiveException::endOfFile: return "予期しないファイルの終わりに達しました。"_sj;
    case CArchiveException::badIndex:
    case CArchiveException::badClass:
    case CArchiveException::badSchema: return "ファイルの形式が正しくありません。"_sj;
    default: return "ファイルの読み書き中にエラーが発生しました。"_sj;
  }
}

}  // namespace

int CFileException::OsErrorToException(LONG osError) {
  switch (osError) {
    case 0: return none;
    case ENOENT:
    case ENXIO:
    case ENODEV: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
    case EILSEQ: return badPath;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST: return accessDenied;
    case EWOULDBLOCK:
    case ETXTBSY:
    case EBUSY: return sharingViolation;
    case ENOLCK: return lockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return diskFull;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EMLINK: return directoryFull;
    case EIO: return hardIO;
    case EBADF: return invalidFile;
    case ESPIPE: return badSeek;
    default: return generic;
  }
}

void CFileException::ThrowOsError(LONG osError, const CString& fileName) {
  throw CFileException(OsErrorToException(osError), osError, fileName);
}

CString CFileException::GetErrorMessage() const {
  return WithFileName(FileCauseText(m_cause), m_strFileName);
}

CString CArchiveException::GetErrorMessage() const {
  return WithFileName(ArchiveCauseText(m_cause), m_strFileName);
}
