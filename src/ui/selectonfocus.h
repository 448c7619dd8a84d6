#pragma once

// Option buttons in Quillard behave as operators of the radio panels expect:
// a selection button that receives the keyboard focus becomes selected, and
// so acts, exactly as if it had been clicked. (A mouse press gives the focus
// too, but then the click itself selects it; focus that only returns with the
// window or after a menu closes selects nothing.) Where focusSelects is given
// and says no, focus only moves: a screen-reader user explores with Tab.

#include <functional>

class QAbstractButton;

void selectOnFocus(QAbstractButton* button, std::function<bool()> focusSelects = {});
