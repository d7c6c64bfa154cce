#pragma once
#include <QAction>
#include <QMenu>
#include <QWidget>

class frmMain;

// The main window's four popup menus on a form of their own that is never
// shown. An item sends its command word through the main window's hidden
// txtAction box; only Remove All empties the queue itself.
class frmMenu : public QWidget {
  Q_OBJECT
 public:
  explicit frmMenu(frmMain& main);

  QMenu* menuFile = nullptr;
  QAction* menuAddaFile = nullptr;
  QAction* menuAddaFolder = nullptr;
  QAction* menuS = nullptr;
  QAction* menuExit = nullptr;

  QMenu* menuOptions = nullptr;
  QAction* menuOption = nullptr;

  QMenu* menuAbout = nullptr;
  QAction* menuHelp = nullptr;
  QAction* menuA = nullptr;

  QMenu* menuRemove = nullptr;
  QAction* menuRemoveSelected = nullptr;
  QAction* menuRemoveAll = nullptr;

  // Empties the queue one list item at a time, letting events in as it goes;
  // whatever arrives meanwhile is removed as well.
  void menuRemoveAll_Click();

 private:
  QAction* addCommand(QMenu* menu, const QString& caption, const QString& word);

  frmMain& main_;
};
