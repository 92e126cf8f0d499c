#pragma once
// Arithmetic of form scaling, kept apart from Win32 so that it is tested natively.

// v * num / den rounded to the nearest integer, halves away from zero (as MulDiv
// rounds). den 0 gives v unchanged.
int ScaleValue(int v, int num, int den);
