// Running vexxml documents: every block of command text under the root element.
#pragma once

#include "lang/session.h"

#include <string>

namespace lang {

// Loads the document at `path` and runs it with the default id rule; a document that does not
// load runs nothing.
void runDocumentFile(Session& session, const std::string& path);

} // namespace lang
