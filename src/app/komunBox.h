#pragma once

namespace komun {

// Makes every message of komun a modal message box; the program calls it at start-up.
void installMessageBoxes();

} // namespace komun
