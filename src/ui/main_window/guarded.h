#pragma once

#include <exception>

#include "app/session.h"

namespace ui {

/// Runs a user's action; a failure of the core ends the action with its message (a beep,
/// then the dialog), and the window stays as the action left it.
template <class Action>
void Guarded(app::Session& session, Action&& action) {
  try {
    action();
  } catch (const std::exception& error) {
    session.ReportFailure(error);
  }
}

}  // namespace ui
