#pragma once
// System-wide inputs of the main window: the start/stop hot key and the
// gamepad. Their platform implementations live elsewhere; without one the
// program simply has neither.
namespace corvane {

class GlobalHotKey {
 public:
  virtual ~GlobalHotKey() = default;
  // modifiers: 1 Alt, 2 Ctrl, 3 both, 0 none; the key is Space. Failure is
  // silent: the hot key simply does not arrive.
  virtual bool Register(int modifiers) = 0;
  virtual void Unregister() = 0;
};

class GamepadCapture {
 public:
  virtual ~GamepadCapture() = default;
  // Captures joystick 1, polled every 25 ms, reporting changes only.
  virtual bool Capture() = 0;
  virtual void Release() = 0;
};

}  // namespace corvane
