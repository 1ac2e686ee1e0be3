// The automatic run: a list of steps that moves the real pointer and posts mouse messages
// to the form window where its controls are, waits for the wizard to react, and takes a
// screenshot of each stage. Driven by a timer of the host window, so it goes on inside
// whatever message loop is running (the form's slides, the installation).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace host {

class AutoPilot {
 public:
  // With screenReader, the run reads and presses the form through its accessible object
  // (host/ScreenReaderSteps.cpp) instead of the mouse.
  explicit AutoPilot(bool screenReader = false);
  void Start();
  void Tick();
  static bool IsItsTimer(WPARAM id);

 private:
  struct Step {
    int delayMs;                // after the previous step
    std::function<bool()> run;  // false: not yet (polled again, up to the time-out)
    const char* name;
  };
  // A step's delay times the host's --slowness.
  static int DelayOf(const Step& step);
  void Add(int delayMs, const char* name, std::function<bool()> run);
  void AddClick(int delayMs, const char* name, float x, float y);
  void AddMove(int delayMs, const char* name, float x, float y);
  void AddScreenshot(int delayMs, const char* name);
  void BuildSteps();
  void BuildScreenReaderSteps();

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  ULONGLONG due_ = 0;
  ULONGLONG waiting_since_ = 0;
  bool busy_ = false;
  int screenshots_ = 0;
  POINT drag_start_{};
  RECT before_drag_{};
};

// Mouse input on the form at a point given in the form's device-independent pixels.
void MoveMouse(float x, float y);
void PressMouse(float x, float y);
void ReleaseMouse(float x, float y);
void LogGeometry(const char* when);

}  // namespace host
