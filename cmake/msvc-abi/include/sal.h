// Wine's <sal.h>, completed with the source annotations the standard library's headers use and
// Wine's lacks. The annotations guide Microsoft's analyser only: all of them expand to nothing.
#pragma once
#include_next <sal.h>

#ifndef _Analysis_assume_
#define _Analysis_assume_(expression)
#endif
#ifndef _Inout_bytecount_
#define _Inout_bytecount_(size)
#endif
#ifndef _Pre_satisfies_
#define _Pre_satisfies_(condition)
#endif
#ifndef _Post_satisfies_
#define _Post_satisfies_(condition)
#endif
