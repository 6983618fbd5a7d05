// Wine's <crtdbg.h>, completed with the report file of the Universal CRT's, which a release
// build (no _DEBUG) reduces to nothing, as Wine's reduces the rest.
#pragma once
#include_next <crtdbg.h>

typedef void* _HFILE;
#define _CRTDBG_INVALID_HFILE ((_HFILE)(intptr_t)-1)
#define _CRTDBG_HFILE_ERROR ((_HFILE)(intptr_t)-2)
#define _CRTDBG_FILE_STDOUT ((_HFILE)(intptr_t)-4)
#define _CRTDBG_FILE_STDERR ((_HFILE)(intptr_t)-5)
#define _CRTDBG_REPORT_FILE ((_HFILE)(intptr_t)-6)
#ifndef _DEBUG
#define _CrtSetReportFile(type, file) ((_HFILE)0)
#endif
