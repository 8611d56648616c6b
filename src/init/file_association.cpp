#include "init/file_association.h"

// The desktop integration fills this in; until then start-up registers nothing.
void RegisterFileType(const QString&, const QString&) {}
