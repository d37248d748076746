#pragma once
// The choice among the regulations of one gazette issue, when a reference
// names an issue that holds several: a small modal list.
#include <vector>

#include "compare/versions.h"

class QWidget;

namespace viewer {

// The index of the chosen regulation; -1 when the choice is cancelled.
int chooseRegulation(QWidget* parent, const std::vector<compare::Version>& regulations);

}  // namespace viewer
