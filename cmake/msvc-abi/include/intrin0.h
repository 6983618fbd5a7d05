// The compiler intrinsics the standard library's headers use: clang declares them in <intrin.h>.
#pragma once
#include <intrin.h>
