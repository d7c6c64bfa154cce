#include "main/frmMenu.h"

#include "main/QueueText.h"
#include "main/frmMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {
constexpr qint64 kEventSliceMs = 10;
}  // namespace

frmMenu::frmMenu(frmMain& main) : QWidget(&main), main_(main) {
  hide();

  menuFile = new QMenu(QStringLiteral("File"), this);
  menuAddaFile = addCommand(menuFile, QStringLiteral("Add a File(&A)"), QStringLiteral("AddaFile"));
  menuAddaFolder =
      addCommand(menuFile, QStringLiteral("Add a Folder(&F)"), QStringLiteral("menuAddaFolder"));
  menuS = menuFile->addSeparator();
  menuExit = addCommand(menuFile, QStringLiteral("Exit(&E)"), QStringLiteral("menuExit"));

  menuOptions = new QMenu(QStringLiteral("Options"), this);
  menuOption = addCommand(menuOptions, QStringLiteral("Options(&O)"), QStringLiteral("menuOption"));

  menuAbout = new QMenu(QStringLiteral("About"), this);
  menuHelp = addCommand(menuAbout, QStringLiteral("Help(&H)"), QStringLiteral("menuHelp"));
  menuA = addCommand(menuAbout, QStringLiteral("About(&A)"), QStringLiteral("A"));

  menuRemove = new QMenu(QStringLiteral("Remove"), this);
  menuRemoveSelected =
      addCommand(menuRemove, QStringLiteral("Remove Selected"), QStringLiteral("RemoveSelected"));
  menuRemoveAll = menuRemove->addAction(QStringLiteral("Remove All"));
  connect(menuRemoveAll, &QAction::triggered, this, &frmMenu::menuRemoveAll_Click);
}

QAction* frmMenu::addCommand(QMenu* menu, const QString& caption, const QString& word) {
  QAction* item = menu->addAction(caption);
  connect(item, &QAction::triggered, this, [this, word] {
    // The box still holds the word when the item is chosen again while its
    // own action lets events in: writing the same text would be no change
    // and the second choice would be lost. Emptied first, it is performed.
    if (main_.txtAction->text() == word) main_.txtAction->clear();
    main_.txtAction->setText(word);
  });
  return item;
}

void frmMenu::menuRemoveAll_Click() {
  // The list view goes first: a drop that lands in between is appended to
  // both lists and still taken out here, and lstFile is emptied last.
  // Events are let in after the first removal and then at least every
  // kEventSliceMs: letting them in after every single removal would lay out
  // and paint the whole list each time, and a long list would take minutes.
  // For the same reason the list keeps no current row while it empties: a
  // removed current row makes the next one current, and the view lays out
  // the whole list at once to show it, at every removal.
  QTreeWidget* list = main_.LV;
  QElapsedTimer sinceEvents;
  while (list->topLevelItemCount() > 0) {
    if (list->currentIndex().isValid()) list->selectionModel()->clearCurrentIndex();
    delete list->takeTopLevelItem(0);
    if (!sinceEvents.isValid() || sinceEvents.hasExpired(kEventSliceMs)) {
      QCoreApplication::processEvents();
      sinceEvents.start();
    }
  }
  main_.lstFile->clear();
  main_.mBatchInputs.clearWaiting();
  main_.picText->show();
  main_.setHintText(kDropHint);
}
