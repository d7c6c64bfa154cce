#include "skin/SkinStyle.h"

QString skinnedControlsStyleSheet() {
  // The drop-down lists' own arrows stay blank: the skinned arrow boxes lie over them.
  return QStringLiteral(R"(
QLineEdit, QComboBox {
  border: none; background: #ffffff; color: #242e3c; padding: 0px 3px;
  selection-background-color: #1f7ad4; selection-color: #ffffff;
}
QLineEdit:disabled, QComboBox:disabled { background: #eef1f5; color: #9aa5b4; }
QComboBox::drop-down { border: none; width: 20px; }
QComboBox::down-arrow { image: none; }
QComboBox QAbstractItemView {
  border: 1px solid #a9b6c6; background: #ffffff; color: #242e3c; outline: 0px;
  selection-background-color: #1f7ad4; selection-color: #ffffff;
}
QTreeView {
  border: none; background: #ffffff; alternate-background-color: #f4f7fb; color: #242e3c;
  selection-background-color: #1f7ad4; selection-color: #ffffff; outline: 0px;
}
QHeaderView::section {
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f8fafc, stop:1 #e5eaf1);
  color: #3d4d63; font-weight: bold; padding: 2px 6px;
  border: none; border-right: 1px solid #c9d3df; border-bottom: 1px solid #c9d3df;
}
QCheckBox { background: transparent; }
)");
}
