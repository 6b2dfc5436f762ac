#pragma once

class QWidget;

namespace dravelin {

// Widens a label or an option button just as far as its caption needs in the font actually
// used, measured now: a right-aligned label grows to the left, anything else to the right.
// A caption that fits leaves the control where it was drawn.
void widenToCaption(QWidget* control);

// The same for every label and option button inside `container`.
void widenToCaptions(QWidget* container);

} // namespace dravelin
