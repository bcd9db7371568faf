// Code that only the shared library holds (the layers' archives are linked in whole around it).
#include "QuillfenVersion.h"

#include "VxDialogEngine.h"

const char* QuillfenVersion()
{
    return QUILLFEN_VERSION_STRING;
}

namespace {
// A client program links the library to show dialogs, so the engine is there from the start;
// Execute would otherwise raise "No dialog engine is installed". The designer and the tests link
// the layers and install the engine themselves.
const bool EngineInstalled = [] {
    InstallDialogEngine();
    return true;
}();
} // namespace
