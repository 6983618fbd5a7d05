// Wine's <signal.h>, completed with what the Universal CRT's declares and Wine's lacks.
#pragma once
#include_next <signal.h>
typedef int sig_atomic_t;
