#pragma once
#include "skin/SkinnedDialog.h"
#include "common/MouseInput.h"

#include <QScreen>
#include <gtest/gtest.h>

// What every skinned dialog shows: out of sight when loaded, centred with its
// colour key after the one-shot tick, every control inside the client area.
inline void expectParkedUntilTheTick(SkinnedDialog& dialog) {
  EXPECT_TRUE(dialog.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(dialog.Timer1->isActive());
  EXPECT_LT(dialog.geometry().right(), 0);
  EXPECT_LT(dialog.geometry().bottom(), 0);
  EXPECT_TRUE(dialog.mask().isEmpty());

  ASSERT_TRUE(processEventsUntil([&] { return !dialog.Timer1->isActive(); }, 2000));
  const QRect screen = dialog.screen()->geometry();
  EXPECT_NEAR(dialog.geometry().center().x(), screen.center().x(), 1);
  EXPECT_NEAR(dialog.geometry().center().y(), screen.center().y(), 1);
  EXPECT_FALSE(dialog.mask().contains(QPoint(0, 0)));  // the rounded corner
  EXPECT_TRUE(dialog.mask().contains(dialog.rect().center()));
}

inline void expectControlsInsideTheClientArea(SkinnedDialog& dialog) {
  for (const ControlGeometry& control : dialog.layout.controls())
    EXPECT_TRUE(dialog.rect().contains(control.widget->geometry()))
        << control.widget->metaObject()->className() << " " << control.Left << ","
        << control.Top;
}

// A point of the dialog's face that no control covers.
inline void moveOverBackground(SkinnedDialog& dialog) {
  const QPoint bare(dialog.width() / 2, 12);
  ASSERT_EQ(dialog.childAt(bare), nullptr);
  mouse::move(&dialog, Qt::NoButton, bare);
}
