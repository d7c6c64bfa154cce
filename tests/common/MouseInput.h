#pragma once
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>
#include <functional>
#include <optional>

// Mouse input delivered the way the platform delivers it: through the
// application, so a move that a control does not take reaches its window.
namespace mouse {

inline void send(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                 Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(pos), target->mapToGlobal(QPointF(pos)), button, held,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

// A move over `target` at `pos` (its centre when not given).
inline void move(QWidget* target, Qt::MouseButtons held = Qt::NoButton,
                 std::optional<QPoint> pos = std::nullopt) {
  send(target, QEvent::MouseMove, pos.value_or(target->rect().center()), Qt::NoButton, held);
}

// A left press on `target` at `pos` (its centre when not given).
inline void press(QWidget* target, std::optional<QPoint> pos = std::nullopt) {
  send(target, QEvent::MouseButtonPress, pos.value_or(target->rect().center()), Qt::LeftButton,
       Qt::LeftButton);
}

inline void release(QWidget* target) {
  send(target, QEvent::MouseButtonRelease, target->rect().center(), Qt::LeftButton, Qt::NoButton);
}

inline void click(QWidget* target) {
  press(target);
  release(target);
}

}  // namespace mouse

// Runs the event loop until `done` holds or `ms` have passed; true when done.
inline bool processEventsUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  return done();
}
