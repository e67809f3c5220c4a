#pragma once

// Makes the window's parts known to screen readers as what they are: the
// window a frame named by its caption, each button a push button whose Press
// action clicks it at once (so that every Press counts, however quickly they
// come), and the drawing area an object whose Press action does what a click
// on the bare area does. Installing it more than once changes nothing.
void installFormAccessibility();
