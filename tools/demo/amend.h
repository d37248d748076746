#pragma once
// The next version of a regulation's body as an amending law leaves it:
// words changed in some articles, paragraphs added and dropped, new articles
// "^lan 12a." inserted after others, now and then an article dropped.
#include <vector>

#include "demo/rtf_writer.h"
#include "demo/wording.h"

namespace demo {

std::vector<SourceLine> amendedBody(const std::vector<SourceLine>& body, Text& text,
                                    Random& random);

}  // namespace demo
