#pragma once

// Enter as a user expects it in every window of the program, once for all of them:
// - Enter on a focused button presses that button (push buttons and tool buttons alike);
// - Enter in a field presses the window's default button when the window chose one
//   (setDefault), and nothing otherwise: a dialog never makes its first button the default
//   behind the user's back, so Enter typed in a search box cannot add or delete anything.
// Escape closes a dialog as it always does.
namespace Klawiatura {
void zainstaluj();
} // namespace Klawiatura
