#include "QuillfenVersion.h"

const char* QuillfenVersion()
{
    return QUILLFEN_VERSION_STRING;
}
