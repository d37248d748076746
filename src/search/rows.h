#pragma once
// Rows the searches produce: the list rows of the main and selection
// windows (caption, sub-items, image), handed over one by one or as a list.
#include <functional>
#include <vector>

#include "lists/listrules.h"

namespace search {

using Row = lists::Row;
using Rows = std::vector<Row>;
// Receives each found row as soon as it is found.
using RowSink = std::function<void(Row)>;

// Titles only, or titles and full texts.
enum class Scope { Titles, TitlesAndTexts };

}  // namespace search
