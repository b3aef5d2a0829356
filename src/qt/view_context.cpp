#include "qt/view_context.h"

#include "qt/input_hold.h"

namespace korvel::qt {

bool ViewContext::admits(const Control* control) const { return !m_hold || m_hold->admits(control); }

}  // namespace korvel::qt
