#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

// The platform's common dialogs driven by properties: set what a dialog
// needs, call a Show method (true when the user confirmed), read the results
// back from the same properties.
class CCommonDialogs {
 public:
  // Binds the owner window; call before any Show method.
  void Init(QWidget* owner);

  // The Gets of these four return the text before its first NUL.
  QString FileTitle() const;
  void setFileTitle(const QString& value);
  QString Path() const;
  void setPath(const QString& value);
  QString FileName() const;
  void setFileName(const QString& value);
  QString Title() const;
  void setTitle(const QString& value);

  // Description and pattern pairs, all separated by "|".
  QString Filter() const;
  void setFilter(const QString& value);
  QString DefExt() const;
  void setDefExt(const QString& value);
  uint32_t Color() const;  // 0x00BBGGRR
  void setColor(uint32_t value);
  QString FontName() const;
  void setFontName(const QString& value);
  int16_t FontSize() const;
  void setFontSize(int16_t value);
  bool FontBold() const;
  void setFontBold(bool value);
  bool FontItalic() const;
  void setFontItalic(bool value);
  bool FontUnderline() const;
  void setFontUnderline(bool value);

  bool ShowOpen();
  bool ShowSave();
  bool ShowFolder();
  bool ShowColor(bool expand = false);
  bool ShowFont();
  bool ShowPrinter();
  bool ShowPrinterProperties();

 private:
  // FileTitle, FileName and Path after a confirmed open or save.
  void takeChosenFile(const QString& path);

  QString mFileTitle, mPath, mFilter, mFileName, mTitle, mDefExt, mFontName;
  uint32_t mColor = 0;
  QPointer<QWidget> mOwner;
  int16_t mFontSize = 0;
  bool mFontBold = false, mFontItalic = false, mFontUnderline = false;
};

// The program-wide instance, created and bound to the main window at start-up.
extern CCommonDialogs* objCommonDialogs;
