// <Windows.h> as Windows spells it, on a file system that tells the letter case apart.
#pragma once
#include <windows.h>
