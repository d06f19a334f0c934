#pragma once

namespace tavrin {

// Makes the application about to be created show every window at the view scale choice
// (0 automatic, else a percentage), by the toolkit's own scaling: fonts, layouts and the
// pictures grow together and mouse positions stay in window pixels. It looks at the primary
// screen through a short-lived application of its own, so it must run before the real one
// exists. A scale the user set in QT_SCALE_FACTOR is left as it is. Returns the factor
// given to the toolkit (1 when none).
double PrepareViewScale(int choice, int argc, char** argv);

} // namespace tavrin
