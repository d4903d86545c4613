#pragma once

#include "input/InputChain.h"

class AppContext;

/// The buttons of the input chain's windows as functions over the application context: each
/// forward button refuses while an input limit is broken, copies its window into the design
/// state and shows the next window; each back button shows the previous one. Which window comes
/// next is decided by InputChain::NextWindow alone. Everything on the screen goes through the
/// context's UiHost; without one (the command line) the flows work on the models only.
namespace InputFlows {

/// What a window does when it becomes active: the geometry, lid and buried-tank windows check
/// all their fields (so the status always matches the window shown) and set their buttons'
/// pictures; the tank-kind and layout windows reset their buttons to the normal picture.
void ActivateWindow(AppContext &ctx, InputChain::InputWindow window);

/// The forward button (index 2) of a window of the chain; for the layout window, the
/// calculate button (CalculationLaunch::LaunchCalculation). Returns the window shown next, or
/// `from` itself when the button refused (an input limit is broken, or the calculation did not
/// complete).
InputChain::InputWindow Forward(AppContext &ctx, InputChain::InputWindow from);

/// The back button (index 3) of a window of the chain, or of the results window. No limit
/// check. Returns the window shown.
InputChain::InputWindow Back(AppContext &ctx, InputChain::InputWindow from);

/// A click on the buried-tank window's ground-water box (its state already toggled): Texthna is shown while the box is
/// ticked (and gets the focus); clearing the box hides it and empties it, which reads as
/// hna = 0. The window is then checked again, as any change of its fields is.
void Checkhna_Click(AppContext &ctx);

} // namespace InputFlows
