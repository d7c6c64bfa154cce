#include "support/CCommonDialogs.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <cmath>

#include "platform/Modal.h"
#include "support/FileDialogRules.h"
#include "support/GetFile.h"

CCommonDialogs* objCommonDialogs = nullptr;

namespace {
constexpr int kCustomColors = 16;
}  // namespace

using dialogs::beforeNul;
namespace flags = platform::file_dialog_flags;

void CCommonDialogs::Init(QWidget* owner) { mOwner = owner; }

QString CCommonDialogs::FileTitle() const { return beforeNul(mFileTitle); }
void CCommonDialogs::setFileTitle(const QString& value) { mFileTitle = value; }
QString CCommonDialogs::Path() const { return beforeNul(mPath); }
void CCommonDialogs::setPath(const QString& value) { mPath = value; }
QString CCommonDialogs::FileName() const { return beforeNul(mFileName); }
void CCommonDialogs::setFileName(const QString& value) { mFileName = value; }
QString CCommonDialogs::Title() const { return beforeNul(mTitle); }
void CCommonDialogs::setTitle(const QString& value) { mTitle = value; }

QString CCommonDialogs::Filter() const { return mFilter; }
void CCommonDialogs::setFilter(const QString& value) { mFilter = value; }
QString CCommonDialogs::DefExt() const { return mDefExt; }
void CCommonDialogs::setDefExt(const QString& value) { mDefExt = value; }
uint32_t CCommonDialogs::Color() const { return mColor; }
void CCommonDialogs::setColor(uint32_t value) { mColor = value; }
QString CCommonDialogs::FontName() const { return mFontName; }
void CCommonDialogs::setFontName(const QString& value) { mFontName = value; }
int16_t CCommonDialogs::FontSize() const { return mFontSize; }
void CCommonDialogs::setFontSize(int16_t value) { mFontSize = value; }
bool CCommonDialogs::FontBold() const { return mFontBold; }
void CCommonDialogs::setFontBold(bool value) { mFontBold = value; }
bool CCommonDialogs::FontItalic() const { return mFontItalic; }
void CCommonDialogs::setFontItalic(bool value) { mFontItalic = value; }
bool CCommonDialogs::FontUnderline() const { return mFontUnderline; }
void CCommonDialogs::setFontUnderline(bool value) { mFontUnderline = value; }

void CCommonDialogs::takeChosenFile(const QString& path) {
  mFileTitle = GetFileName(path);
  mFileName = path;
  mPath = dialogs::folderOf(path);
}

bool CCommonDialogs::ShowOpen() {
  // Path is deliberately not read: the dialog starts in the current directory.
  platform::FileDialogRequest request;
  request.title = Title();
  request.folder = QDir::currentPath();
  request.fileName = FileName();
  request.filters = dialogs::filterPairs(mFilter);
  request.defaultSuffix = mDefExt;
  request.flags = flags::HideReadOnly | flags::FileMustExist | flags::LongNames;
  const auto chosen = platform::modal().openFile(mOwner, request);
  if (!chosen) return false;
  takeChosenFile(*chosen);
  return true;
}

bool CCommonDialogs::ShowSave() {
  // The normalised start folder is kept even when the user cancels.
  mPath = dialogs::startFolder(mPath);
  platform::FileDialogRequest request;
  request.title = QStringLiteral("Save");
  request.folder = mPath;
  request.filters = dialogs::filterPairsOrAllFiles(mFilter);
  // A save replaces an existing file without asking.
  request.flags = flags::HideReadOnly | flags::LongNames;
  const auto chosen = platform::modal().saveFile(mOwner, request);
  if (!chosen) return false;
  takeChosenFile(*chosen);
  return true;
}

bool CCommonDialogs::ShowFolder() {
  const auto chosen = platform::modal().chooseFolder(mOwner, Title());
  if (!chosen) return false;
  mPath = *chosen;
  mFileName.clear();
  mFileTitle.clear();
  return true;
}

bool CCommonDialogs::ShowColor(bool expand) {
  platform::ColorDialogRequest request;
  // Color is 0x00BBGGRR.
  request.initial = QColor(mColor & 0xFF, (mColor >> 8) & 0xFF, (mColor >> 16) & 0xFF);
  request.expanded = expand;
  // Custom colours are not kept: every call offers a black table anew.
  request.customColors = QList<QColor>(kCustomColors, Qt::black);
  const auto chosen = platform::modal().chooseColor(mOwner, request);
  if (!chosen) return false;
  mColor = static_cast<uint32_t>(chosen->red()) | (static_cast<uint32_t>(chosen->green()) << 8) |
           (static_cast<uint32_t>(chosen->blue()) << 16);
  return true;
}

bool CCommonDialogs::ShowFont() {
  QFont initial(mFontName);
  if (mFontSize > 0) initial.setPointSize(mFontSize);
  initial.setBold(mFontBold);
  initial.setItalic(mFontItalic);
  initial.setUnderline(mFontUnderline);
  const auto chosen = platform::modal().chooseFont(mOwner, initial);
  if (!chosen) return false;
  // Underline is not taken back, and whole points only.
  mFontName = chosen->family();
  mFontBold = chosen->bold();
  mFontItalic = chosen->italic();
  if (chosen->pointSizeF() > 0 && chosen->pointSizeF() <= INT16_MAX)
    mFontSize = static_cast<int16_t>(std::trunc(chosen->pointSizeF()));
  return true;
}

bool CCommonDialogs::ShowPrinter() { return platform::modal().choosePrinter(mOwner); }

bool CCommonDialogs::ShowPrinterProperties() {
  return platform::modal().showPrinterProperties(mOwner);
}
